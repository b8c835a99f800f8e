#include "Velmora/Model/ChoreBackup.h"

#include "Velmora/Model/ChoreField.h"
#include "Velmora/Model/ChoreStore.h"
#include "Velmora/Platform/PrivateFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace Velmora {

namespace {

const QLatin1String kFormat("format");
const QLatin1String kSchemaVersion("schemaVersion");
const QLatin1String kChores("chores");
// Each chore's keys are its fields' names.
QLatin1String fieldKey(Chore::Field field)
{
    return QLatin1String(ChoreField::row(field).name);
}
const QLatin1String kTitle = fieldKey(Chore::Field::Title);
const QLatin1String kColor = fieldKey(Chore::Field::ColorComponents);
const QLatin1String kStart = fieldKey(Chore::Field::StartDate);
const QLatin1String kDue = fieldKey(Chore::Field::DueDate);
const QLatin1String kEnd = fieldKey(Chore::Field::EndDate);
const QLatin1String kNotify = fieldKey(Chore::Field::Notify);
const QLatin1String kTime = fieldKey(Chore::Field::NotificationTime);
const QLatin1String kRecurrence("recurrence");
const QLatin1String kRule("rule");
const QLatin1String kAfterFinishing("afterFinishing");
const QLatin1String kExceptions("exceptions");
const QLatin1String kMoved("moved");
// The position, counting from 1, of the series a finished copy came from.
const QLatin1String kSeries("series");
// Optional: whose chore it is, the turn order and who finished it; and the members added by hand.
const QLatin1String kAssignee("assignee");
const QLatin1String kTurns("turns");
const QLatin1String kFinishedBy("finishedBy");
const QLatin1String kMembers("members");
const char *const kColorKeys[3] = {"red", "green", "blue"};

// ISO 8601 as written here has four-digit years; anything outside them cannot round-trip.
bool writableDate(const QDateTime &date)
{
    if (!date.isValid())
        return true;
    const int year = date.toUTC().date().year();
    return year >= 1 && year <= 9999;
}

QJsonValue dateValue(const QDateTime &date)
{
    if (!date.isValid())
        return QJsonValue::Null;
    return date.toUTC().toString(Qt::ISODateWithMs);
}

QJsonValue numberValue(double value)
{
    return std::isfinite(value) ? QJsonValue(value) : QJsonValue(QJsonValue::Null);
}

QJsonArray dayArray(const QList<QDate> &days)
{
    QJsonArray array;
    for (const QDate &day : days)
        array.append(day.toString(Qt::ISODate));
    return array;
}

QJsonObject recurrenceObject(const Recurrence &recurrence)
{
    QJsonObject object;
    object.insert(kRule, recurrence.rule);
    object.insert(kAfterFinishing, recurrence.afterFinishing);
    if (!recurrence.exceptions.isEmpty())
        object.insert(kExceptions, dayArray(recurrence.exceptions));
    if (!recurrence.moved.isEmpty()) {
        QJsonArray moved;
        for (auto it = recurrence.moved.cbegin(); it != recurrence.moved.cend(); ++it)
            moved.append(dayArray({it.key(), it.value()}));
        object.insert(kMoved, moved);
    }
    return object;
}

std::optional<QList<QDate>> readDays(const QJsonValue &value)
{
    if (value.isUndefined())
        return QList<QDate>();
    if (!value.isArray() || value.toArray().size() > ChoreBackup::maxRuleDays)
        return std::nullopt;
    QList<QDate> days;
    for (const QJsonValue &day : value.toArray()) {
        const QDate date = QDate::fromString(day.toString(), Qt::ISODate);
        if (!date.isValid())
            return std::nullopt;
        days.append(date);
    }
    return days;
}

void writePeople(QJsonObject &object, const ChorePeople &people)
{
    if (!people.assignee.isEmpty())
        object.insert(kAssignee, people.assignee);
    if (!people.turns.isEmpty())
        object.insert(kTurns, QJsonArray::fromStringList(people.turns));
    if (!people.finishedBy.isEmpty())
        object.insert(kFinishedBy, people.finishedBy);
}

// Names as a list of strings; absent is none. bad names the key of a value of the wrong kind.
std::optional<QStringList> readNames(const QJsonValue &value)
{
    if (value.isUndefined())
        return QStringList();
    if (!value.isArray())
        return std::nullopt;
    QStringList names;
    for (const QJsonValue &name : value.toArray()) {
        if (!name.isString())
            return std::nullopt;
        names << name.toString();
    }
    return names;
}

// Absent in backups of earlier versions and for chores for anyone; bad names the key that is
// of the wrong kind.
std::optional<ChorePeople> readPeople(const QJsonObject &object, QString *bad)
{
    const QJsonValue assignee = object.value(kAssignee);
    const QJsonValue finishedBy = object.value(kFinishedBy);
    const auto turns = readNames(object.value(kTurns));
    for (const auto &[key, ok] : {std::pair{kAssignee, assignee.isString() || assignee.isUndefined()},
                                  std::pair{kTurns, turns.has_value()},
                                  std::pair{kFinishedBy, finishedBy.isString() || finishedBy.isUndefined()}}) {
        if (!ok) {
            *bad = key;
            return std::nullopt;
        }
    }
    return ChorePeople{assignee.toString(), *turns, finishedBy.toString()}.cleaned();
}

// Absent in backups of earlier versions and for chores that never repeat.
std::optional<Recurrence> readRecurrence(const QJsonValue &value)
{
    if (value.isUndefined() || value.isNull())
        return Recurrence();
    const QJsonObject object = value.toObject();
    const QJsonValue rule = object.value(kRule);
    const QJsonValue after = object.value(kAfterFinishing);
    const QJsonValue moved = object.value(kMoved);
    const auto exceptions = readDays(object.value(kExceptions));
    if (!value.isObject() || !rule.isString() || rule.toString().size() > ChoreBackup::maxRuleLength
        || !(after.isBool() || after.isUndefined()) || !exceptions || !(moved.isUndefined() || moved.isArray())
        || moved.toArray().size() > ChoreBackup::maxRuleDays)
        return std::nullopt;
    Recurrence recurrence{rule.toString(), after.toBool(), *exceptions, {}};
    for (const QJsonValue &pair : moved.toArray()) {
        const auto days = readDays(pair);
        if (!days || days->size() != 2)
            return std::nullopt;
        recurrence.moved.insert(days->at(0), days->at(1));
    }
    return recurrence;
}

QJsonObject choreObject(const ChoreFields &fields)
{
    QJsonObject color;
    color.insert(QLatin1String(kColorKeys[0]), numberValue(fields.colorComponents.red));
    color.insert(QLatin1String(kColorKeys[1]), numberValue(fields.colorComponents.green));
    color.insert(QLatin1String(kColorKeys[2]), numberValue(fields.colorComponents.blue));
    QJsonObject object;
    object.insert(kTitle, fields.title);
    object.insert(kColor, color);
    object.insert(kStart, dateValue(fields.startDate));
    object.insert(kDue, dateValue(fields.dueDate));
    object.insert(kEnd, fields.endDate ? dateValue(*fields.endDate) : QJsonValue(QJsonValue::Null));
    object.insert(kNotify, fields.notify);
    object.insert(kTime, numberValue(fields.notificationTime));
    return object;
}

// A date must say which instant it is: a time without an offset would move with the reader's zone.
std::optional<QDateTime> readDate(const QJsonValue &value)
{
    if (!value.isString())
        return std::nullopt;
    const QString text = value.toString();
    if (text.size() > 64)
        return std::nullopt;
    const QDateTime date = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!date.isValid() || date.timeSpec() == Qt::LocalTime)
        return std::nullopt;
    const QDateTime utc = date.toUTC();
    if (!writableDate(utc))
        return std::nullopt;
    return utc;
}

// Reads one chore; on failure names the field that is missing or wrong.
std::optional<ChoreFields> readChore(const QJsonObject &object, QString *badField)
{
    ChoreFields fields;
    const auto bad = [badField](QLatin1String field) {
        *badField = field;
        return std::nullopt;
    };

    const QJsonValue title = object.value(kTitle);
    if (!title.isString())
        return bad(kTitle);
    fields.title = title.toString();

    const QJsonValue color = object.value(kColor);
    if (!color.isObject())
        return bad(kColor);
    float components[3];
    for (int i = 0; i < 3; ++i) {
        const QJsonValue component = color.toObject().value(QLatin1String(kColorKeys[i]));
        if (component.isNull()) {
            components[i] = std::numeric_limits<float>::quiet_NaN();
        } else if (component.isDouble() && std::isfinite(float(component.toDouble()))) {
            components[i] = float(component.toDouble());
        } else {
            return bad(kColor);
        }
    }
    fields.colorComponents = {components[0], components[1], components[2]};

    // Start and due dates may be null: the store itself can hold a chore without them.
    for (const auto &[key, target] : {std::pair{kStart, &fields.startDate}, std::pair{kDue, &fields.dueDate}}) {
        const QJsonValue value = object.value(key);
        if (value.isNull())
            continue;
        const auto date = readDate(value);
        if (!date)
            return bad(key);
        *target = *date;
    }

    const QJsonValue end = object.value(kEnd);
    if (!end.isNull()) {
        const auto date = readDate(end);
        if (!date)
            return bad(kEnd);
        fields.endDate = *date;
    }

    const QJsonValue notify = object.value(kNotify);
    if (!notify.isBool())
        return bad(kNotify);
    fields.notify = notify.toBool();

    const QJsonValue time = object.value(kTime);
    if (time.isNull())
        fields.notificationTime = ChoreFields::defaultNotificationTime;
    else if (time.isDouble() && std::isfinite(time.toDouble()))
        fields.notificationTime = time.toDouble();
    else
        return bad(kTime);
    return fields;
}

// "major.minor.patch", each a plain number.
std::optional<SchemaVersion> readVersion(const QJsonValue &value)
{
    if (!value.isString())
        return std::nullopt;
    const QStringList parts = value.toString().split(QLatin1Char('.'));
    if (parts.size() != 3)
        return std::nullopt;
    int numbers[3];
    for (int i = 0; i < 3; ++i) {
        const QString &part = parts.at(i);
        if (part.isEmpty() || part.size() > 4
            || !std::all_of(part.cbegin(), part.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return std::nullopt;
        numbers[i] = part.toInt();
    }
    return SchemaVersion{numbers[0], numbers[1], numbers[2]};
}

QString versionText(const SchemaVersion &version)
{
    return QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.patch);
}

template <typename T>
void appendRaw(QByteArray &key, T value)
{
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    key.append(bytes, sizeof(T));
}

void appendDate(QByteArray &key, const std::optional<QDateTime> &date)
{
    if (!date) {
        key.append('a');
    } else if (!date->isValid()) {
        key.append('n');
    } else {
        key.append('d');
        appendRaw(key, date->toMSecsSinceEpoch());
    }
}

} // namespace

QByteArray ChoreBackup::matchKey(const ChoreFields &fields, const Recurrence &recurrence)
{
    QByteArray key = fields.title.toUtf8();
    key.append('\0');
    for (float component : {fields.colorComponents.red, fields.colorComponents.green, fields.colorComponents.blue}) {
        // Non-finite components are written as null and read back as NaN; -0 and 0 are one colour.
        const float normal = !std::isfinite(component) ? std::numeric_limits<float>::quiet_NaN()
                                                       : component == 0 ? 0.0f : component;
        appendRaw(key, normal);
    }
    appendDate(key, fields.startDate);
    appendDate(key, fields.dueDate);
    appendDate(key, fields.endDate ? fields.endDate : std::optional<QDateTime>());
    key.append(fields.notify ? '1' : '0');
    // The store reads a time it could not keep as the default, and so does a restore.
    const double time = std::isfinite(fields.notificationTime)
        ? (fields.notificationTime == 0 ? 0.0 : fields.notificationTime) : ChoreFields::defaultNotificationTime;
    appendRaw(key, time);
    if (recurrence.repeats()) {
        key.append(recurrence.afterFinishing ? 'A' : 'R');
        key.append(recurrence.rule.toUtf8());
        key.append('\0');
        key.append(Recurrence::encodeDays(recurrence.exceptions).toUtf8());
        key.append('\0');
        key.append(Recurrence::encodeMoved(recurrence.moved).toUtf8());
    }
    return key;
}

ChoreBackup::Encoded ChoreBackup::encode(const QList<ChoreFields> &chores, const QList<Recurrence> &recurrences,
                                         const QList<qsizetype> &series, const QList<ChorePeople> &people,
                                         const QStringList &members)
{
    if (chores.size() > maxChores)
        return {{}, tr("There are more than %1 chores, more than a backup can hold.").arg(maxChores)};
    QJsonArray array;
    for (qsizetype i = 0; i < chores.size(); ++i) {
        const ChoreFields &fields = chores.at(i);
        if (fields.title.size() > maxTitleLength)
            return {{}, tr("Chore \"%1\" has a title longer than %2 characters, too long for a backup.")
                            .arg(fields.title.left(40)).arg(maxTitleLength)};
        if (!writableDate(fields.startDate) || !writableDate(fields.dueDate)
            || (fields.endDate && (!fields.endDate->isValid() || !writableDate(*fields.endDate))))
            return {{}, tr("Chore \"%1\" has a date outside the years 1 to 9999, which a backup cannot hold.")
                            .arg(fields.title.left(40))};
        QJsonObject object = choreObject(fields);
        if (i < recurrences.size() && recurrences.at(i).repeats()) {
            if (recurrences.at(i).rule.size() > maxRuleLength || recurrences.at(i).exceptions.size() > maxRuleDays
                || recurrences.at(i).moved.size() > maxRuleDays)
                return {{}, tr("Chore \"%1\" repeats by a rule too long for a backup.").arg(fields.title.left(40))};
            object.insert(kRecurrence, recurrenceObject(recurrences.at(i)));
        }
        if (const qsizetype of = series.value(i, -1); of >= 0 && of < chores.size() && of != i)
            object.insert(kSeries, double(of + 1));
        writePeople(object, people.value(i));
        array.append(object);
    }
    QJsonObject root;
    root.insert(kFormat, QLatin1String(formatName));
    root.insert(kSchemaVersion, versionText({formatMajor, formatMinor, 0}));
    root.insert(kChores, array);
    if (!members.isEmpty())
        root.insert(kMembers, QJsonArray::fromStringList(members));
    QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (bytes.size() > maxBytes)
        return {{}, tr("The backup would be larger than %1 MB.").arg(maxBytes / (1024 * 1024))};
    return {bytes, {}};
}

ChoreBackup::Encoded ChoreBackup::encode(const ChoreStore &store, int *count)
{
    // Read from the file, which holds the finished chores that are not in memory too; oldest
    // record first, so the same store always gives the same file. One past the limit is enough
    // to refuse.
    QList<ChoreFields> fields;
    QList<Recurrence> recurrences;
    QList<ChorePeople> people;
    QList<qint64> ids;
    const QHash<qint64, ChorePeople> everyone = store.storedPeople();
    const bool read = store.forEachStored([&](qint64 id, const ChoreFields &one) {
        fields.append(one);
        recurrences.append(store.recurrence(id));
        people.append(everyone.value(id));
        ids.append(id);
        return fields.size() <= maxChores;
    });
    if (!read)
        return {{}, tr("The chores could not be read from the store, so nothing was backed up.")};
    if (count)
        *count = int(fields.size());
    const QHash<qint64, qint64> links = store.seriesLinks();
    QList<qsizetype> series(ids.size(), -1);
    if (!links.isEmpty()) {
        QHash<qint64, qsizetype> position;
        for (qsizetype i = 0; i < ids.size(); ++i)
            position.insert(ids.at(i), i);
        for (qsizetype i = 0; i < ids.size(); ++i) {
            if (const auto link = links.constFind(ids.at(i)); link != links.cend())
                series[i] = position.value(*link, -1);
        }
    }
    return encode(fields, recurrences, series, people, store.handAddedMembers());
}

ChoreBackup::Decoded ChoreBackup::decode(const QByteArray &bytes)
{
    const auto refuse = [](const QString &why) {
        Decoded refused;
        refused.error = why;
        return refused;
    };
    if (bytes.size() > maxBytes)
        return refuse(tr("The file is larger than %1 MB, too large to be a backup.").arg(maxBytes / (1024 * 1024)));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return refuse(tr("The file is not a Taskarello backup: it is not readable JSON."));
    const QJsonObject root = document.object();
    if (root.value(kFormat) != QJsonValue(QLatin1String(formatName)))
        return refuse(tr("The file is not a Taskarello backup."));
    const auto version = readVersion(root.value(kSchemaVersion));
    if (!version || version->major < 1)
        return refuse(tr("The backup has no schema version this app knows."));
    // Earlier major versions lack only keys of later ones; later minor versions only add keys, which are ignored.
    if (version->major > formatMajor)
        return refuse(tr("The backup comes from a newer version of Taskarello (schema %1) and cannot be restored.")
                        .arg(versionText(*version)));
    const QJsonValue choresValue = root.value(kChores);
    if (!choresValue.isArray())
        return refuse(tr("The backup has no list of chores."));
    const QJsonArray array = choresValue.toArray();
    const auto members = readNames(root.value(kMembers));
    if (!members)
        return refuse(tr("The backup's list of members is not a list of names."));
    if (array.size() > maxChores)
        return refuse(tr("The backup holds %1 chores, more than the %2 a backup may hold.").arg(array.size()).arg(maxChores));

    Decoded decoded;
    decoded.chores.reserve(array.size());
    for (const QString &name : *members) {
        if (const QString clean = ChorePeople::cleanName(name); !clean.isEmpty() && !decoded.members.contains(clean))
            decoded.members << clean;
    }
    for (qsizetype i = 0; i < array.size(); ++i) {
        const QJsonValue value = array.at(i);
        if (!value.isObject())
            return refuse(tr("Chore %1 in the backup is not a chore record.").arg(i + 1));
        QString badField;
        const auto fields = readChore(value.toObject(), &badField);
        if (!fields)
            return refuse(tr("Chore %1 in the backup has a missing or invalid \"%2\".").arg(i + 1).arg(badField));
        if (fields->title.size() > maxTitleLength)
            return refuse(tr("Chore %1 in the backup has a title longer than %2 characters.").arg(i + 1).arg(maxTitleLength));
        const auto recurrence = readRecurrence(value.toObject().value(kRecurrence));
        if (!recurrence)
            return refuse(tr("Chore %1 in the backup has a missing or invalid \"%2\".").arg(i + 1).arg(kRecurrence));
        const QJsonValue series = value.toObject().value(kSeries);
        const double position = series.toDouble();
        if (!series.isUndefined() && !(series.isDouble() && position >= 1 && position <= double(array.size())
                                       && position == std::floor(position) && qsizetype(position) != i + 1))
            return refuse(tr("Chore %1 in the backup has a missing or invalid \"%2\".").arg(i + 1).arg(kSeries));
        const auto people = readPeople(value.toObject(), &badField);
        if (!people)
            return refuse(tr("Chore %1 in the backup has a missing or invalid \"%2\".").arg(i + 1).arg(badField));
        decoded.people.append(*people);
        decoded.chores.append(*fields);
        decoded.recurrences.append(*recurrence);
        decoded.series.append(series.isUndefined() ? -1 : qsizetype(position) - 1);
    }
    return decoded;
}

ChoreBackup::Restored ChoreBackup::restore(ChoreStore &store, ChoreStore::WriteKey key, const QByteArray &bytes)
{
    const Decoded decoded = decode(bytes);
    if (!decoded.error.isEmpty())
        return {false, 0, 0, decoded.error};
    if (!store.isOpen())
        return {false, 0, 0, tr("The chore store is not open, so nothing was restored.")};

    // The ids of the chores held under each key, so a copy restored finds a series that was here.
    QHash<QByteArray, QList<qint64>> held;
    const bool read = store.forEachStored([&](qint64 id, const ChoreFields &fields) {
        held[matchKey(fields, store.recurrence(id))].append(id);
        return true;
    });
    if (!read)
        return {false, 0, 0, tr("The chores could not be read from the store, so nothing was restored.")};
    QList<ChoreFields> missing;
    QList<Recurrence> missingRules;
    // For each chore of the file: the id it has here, or -(its position among the missing + 1).
    QList<qint64> here;
    int skipped = 0;
    for (qsizetype i = 0; i < decoded.chores.size(); ++i) {
        auto found = held.find(matchKey(decoded.chores.at(i), decoded.recurrences.at(i)));
        if (found != held.end() && !found->isEmpty()) {
            here.append(found->takeFirst());
            ++skipped;
        } else {
            here.append(-(missing.size() + 1));
            missing.append(decoded.chores.at(i));
            missingRules.append(decoded.recurrences.at(i));
        }
    }
    const auto link = [&](const std::vector<qint64> &ids) {
        const auto id = [&](qint64 at) { return at >= 0 ? at : ids[size_t(-at - 1)]; };
        for (qsizetype i = 0; i < decoded.chores.size(); ++i) {
            const qsizetype series = decoded.series.value(i, -1);
            if (here.at(i) < 0 && series >= 0 && !store.linkStored(key, id(here.at(i)), id(here.at(series))))
                return false;
            if (here.at(i) < 0 && !store.setPeople(key, id(here.at(i)), decoded.people.at(i)))
                return false;
        }
        return std::all_of(decoded.members.cbegin(), decoded.members.cend(),
                           [&](const QString &name) { return store.addMember(key, name); });
    };
    if (missing.isEmpty() ? !store.transaction(key, [&] { return link({}); }) : !store.insertAll(key, missing, missingRules, link))
        return {false, 0, 0, tr("The chores could not be saved, so nothing was restored.")};

    const int added = int(missing.size());
    QString message;
    if (decoded.chores.isEmpty())
        message = tr("The backup holds no chores.");
    else if (added == 0)
        message = tr("Every chore in the backup is already here.");
    else if (skipped == 0)
        message = tr("Restored %n chore(s).", nullptr, added);
    else
        message = tr("Restored %n chore(s); the others were already here.", nullptr, added);
    return {true, added, skipped, message};
}

ChoreBackup::Encoded ChoreBackup::readFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {{}, tr("The file %1 does not exist.").arg(QDir::toNativeSeparators(path))};
    if (!info.isFile())
        return {{}, tr("%1 is not a file.").arg(QDir::toNativeSeparators(path))};
    if (info.size() > maxBytes)
        return {{}, tr("The file is larger than %1 MB, too large to be a backup.").arg(maxBytes / (1024 * 1024))};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, tr("The file could not be opened: %1.").arg(file.errorString())};
    // The size may have changed since it was looked at; never read more than the limit allows.
    QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return {{}, tr("The file is larger than %1 MB, too large to be a backup.").arg(maxBytes / (1024 * 1024))};
    return {bytes, {}};
}

QString ChoreBackup::writeFile(const QString &path, const QByteArray &bytes)
{
    // QSaveFile would replace the link's target, wherever it points.
    if (PrivateFiles::isLink(path))
        return tr("%1 is a symbolic link; nothing was written through it. Choose another file.")
            .arg(QDir::toNativeSeparators(path));
    QSaveFile file(path);
    // The chores are nobody else's business, even in a shared folder; QSaveFile would keep the
    // mode of a file it replaces.
    if (!file.open(QIODevice::WriteOnly) || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)
        || file.write(bytes) != bytes.size() || !file.commit())
        return tr("The file could not be written: %1.").arg(file.errorString());
    return {};
}

} // namespace Velmora
