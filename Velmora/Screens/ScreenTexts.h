#pragma once

#include <QAccessible>
#include <QColor>
#include <QDateTime>
#include <QKeySequence>
#include <QLocale>
#include <QObject>
#include <QTimeZone>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <utility>

namespace Velmora {

// Formatting and colour choices the screens share, kept here so they can be tested.
class ScreenTexts : public QObject, private QAccessible::ActivationObserver {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    // Whether anything reads the accessible texts: a screen reader, or a test asking for them. The
    // many tiles make theirs only then, and at once when it starts.
    Q_PROPERTY(bool spoken READ spoken NOTIFY spokenChanged)

public:
    explicit ScreenTexts(QObject *parent = nullptr) : QObject(parent), m_spoken(QAccessible::isActive())
    {
        QAccessible::installActivationObserver(this);
    }
    ~ScreenTexts() override { QAccessible::removeActivationObserver(this); }

    bool spoken() const { return m_spoken; }

    // A reminder time of day: the hour without leading zero and without AM/PM (a 12-hour locale
    // shows 14:30 as 2:30), then two-digit minutes. Odd stored values still give a time.
    Q_INVOKABLE QString reminderTimeText(double notificationTime) const { return reminderTimeText(notificationTime, QLocale()); }
    static QString reminderTimeText(double notificationTime, const QLocale &locale);

    // Whole seconds into the day of a stored reminder time; odd stored values (NaN, huge, out
    // of the day) still give a time of day, 09:00 for what is not a number at all.
    static qint64 secondsIntoDay(double notificationTime);
    // The locale's long date without its weekday ("December 6, 2026"), with "Dec" for "December"
    // when abbreviatedMonths.
    static QString longDateFormat(const QLocale &locale, bool abbreviatedMonths);

    // The days from start to end in the abbreviated date style, without times of day.
    Q_INVOKABLE QString datesText(const QDateTime &start, const QDateTime &end) const;
    static QString datesText(const QDateTime &start, const QDateTime &end, const QTimeZone &zone, const QLocale &locale);

    // A finished chore's tile: how long it took, and, when it was finished before it was due (an
    // occurrence of a series done early), which day it was due: "Same day · due Dec 15, 2026".
    Q_INVOKABLE QString finishedCaption(const QDateTime &due, const QDateTime &end, int days) const;

    // Text on a chore's colour: white, unless the colour is so light that white would vanish.
    Q_INVOKABLE QColor foregroundOn(const QColor &background) const { return foregroundColorOn(background); }
    static QColor foregroundColorOn(const QColor &background);

    // A shortcut as the desktop spells it: "Ctrl+N", "Strg+N".
    Q_INVOKABLE QString keysText(const QString &sequence) const { return QKeySequence(sequence).toString(QKeySequence::NativeText); }

    // What the "Repeat" action does, said wherever it is offered: the word alone reads as the
    // editor's rule that brings a chore back by itself.
    Q_PROPERTY(QString repeatExplanation READ repeatExplanation CONSTANT)
    Q_PROPERTY(QString copyExplanation READ copyExplanation CONSTANT)
    static QString repeatExplanation() { return tr("Puts this time in the journal and starts the chore again today, once. Edit it to have it come back by itself."); }
    static QString copyExplanation() { return tr("Starts this chore again today, once. Edit the new one to have it come back by itself."); }

    // Digits typed on a time wheel whose values are numbers ("00" to "59", "1" to "12"): `typed` is
    // what is still pending there and the digit just typed. Answers "index", the value they name
    // (the new digit alone where the two together name none; -1 for no value), and "pending", the
    // digits a further one may add to (empty once none could name another value).
    Q_INVOKABLE static QVariantMap typeOnWheel(const QStringList &values, const QString &typed);

    // A member's badge: their name's first letter as people see it (one grapheme), upper-cased;
    // empty for nobody.
    Q_INVOKABLE static QString initialOf(const QString &name);

    // "CHORE", "JOURNAL": a title upper-cased after translation.
    Q_INVOKABLE QString upper(const QString &text) const { return QLocale().toUpper(text); }

signals:
    void spokenChanged();

private:
    // Told also where no platform keeps the state (offscreen, where tests ask for the texts).
    void accessibilityActiveChanged(bool active) override
    {
        if (std::exchange(m_spoken, active) != active)
            emit spokenChanged();
    }

    bool m_spoken;
};

} // namespace Velmora
