<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ActionAlert</name>
    <message>
        <location filename="../Velmora/Screens/ActionAlert.qml" line="11"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>BackupMenu</name>
    <message>
        <location filename="../Velmora/Screens/BackupMenu.qml" line="12"/>
        <source>Sync and back up</source>
        <translation>Abgleichen und sichern</translation>
    </message>
</context>
<context>
    <name>BackupPopups</name>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="50"/>
        <source>Sync…</source>
        <translation>Abgleich…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="56"/>
        <source>Household…</source>
        <translation>Haushalt…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="63"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="101"/>
        <source>Back up chores</source>
        <translation>Aufgaben sichern</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="74"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="113"/>
        <source>Restore chores</source>
        <translation>Aufgaben wiederherstellen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="84"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="122"/>
        <source>Export to calendar</source>
        <translation>In den Kalender exportieren</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="105"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="125"/>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="106"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="115"/>
        <source>Taskarello backups (*.json)</source>
        <translation>Taskarello-Sicherungen (*.json)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="115"/>
        <source>All files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="126"/>
        <source>Calendar files (*.ics)</source>
        <translation>Kalenderdateien (*.ics)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="136"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>ChoreEditorScreen</name>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="24"/>
        <source>Chore</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="53"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="54"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="65"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="149"/>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Teal</source>
        <translation>Blaugrün</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="83"/>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="83"/>
        <source>Purple</source>
        <translation>Violett</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="123"/>
        <source>Other color</source>
        <translation>Andere Farbe</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="160"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="203"/>
        <source>Planned (duration)</source>
        <translation>Geplant (Dauer)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="166"/>
        <source>Fewer days</source>
        <translation>Weniger Tage</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="177"/>
        <source>More days</source>
        <translation>Mehr Tage</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="188"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="202"/>
        <source>Due date</source>
        <translation>Fällig am</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="219"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="227"/>
        <source>Comes back</source>
        <translation>Kommt wieder</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="241"/>
        <source>Change how it comes back</source>
        <translation>Ändern, wie sie wiederkommt</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="666"/>
        <source>Discard your changes?</source>
        <translation>Deine Änderungen verwerfen?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Never</source>
        <translation>Nie</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Daily</source>
        <translation>Täglich</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Weekly</source>
        <translation>Wöchentlich</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Monthly</source>
        <translation>Monatlich</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Yearly</source>
        <translation>Jährlich</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="240"/>
        <source>Change</source>
        <translation>Ändern</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="276"/>
        <source>Repeat every</source>
        <translation>Wiederholen alle</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="327"/>
        <source>On</source>
        <translation>Am</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="343"/>
        <source>Weekdays</source>
        <translation>Wochentage</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="389"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="396"/>
        <source>After finishing</source>
        <translation>Nach dem Erledigen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="407"/>
        <source>The next due day counts from the day the chore is finished.</source>
        <translation>Der nächste Fälligkeitstag zählt ab dem Tag, an dem die Aufgabe erledigt wird.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="408"/>
        <source>The next due day counts from the due day.</source>
        <translation>Der nächste Fälligkeitstag zählt ab dem Fälligkeitstag.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="418"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="429"/>
        <source>Who</source>
        <translation>Wer</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="442"/>
        <source>A repeated run stays with whoever it was for; edit the chore to change who.</source>
        <translation>Eine wiederholte Runde bleibt bei der Person, für die sie war; wer, lässt sich beim Bearbeiten der Aufgabe ändern.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="466"/>
        <source>Tick who takes turns; finishing it gives the next time to the one after whose turn it was.</source>
        <translation>Kreuze an, wer sich abwechselt; wer erledigt, gibt das nächste Mal an den nach dem, der dran war.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="531"/>
        <source>%1 · now</source>
        <translation>%1 · jetzt</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="537"/>
        <source>%1, %2 of %3, whose turn it is</source>
        <translation>%1, %2 von %3, ist dran</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="538"/>
        <source>%1, %2 of %3</source>
        <translation>%1, %2 von %3</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="539"/>
        <source>Alt+Up and Alt+Down move it in the order</source>
        <translation>Alt+Hoch und Alt+Runter verschieben in der Reihenfolge</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="563"/>
        <source>Move %1 up</source>
        <translation>%1 nach oben</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="569"/>
        <source>Move %1 down</source>
        <translation>%1 nach unten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="582"/>
        <source>Notify</source>
        <translation>Erinnern</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="588"/>
        <source>Notification time</source>
        <translation>Uhrzeit der Erinnerung</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="593"/>
        <source>Hour</source>
        <translation>Stunde</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="605"/>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="613"/>
        <source>Before or after noon</source>
        <translation>Vor- oder nachmittags</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="625"/>
        <source>Toggle notification</source>
        <translation>Erinnerung ein- oder ausschalten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="628"/>
        <source>Turn off</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="628"/>
        <source>Turn on</source>
        <translation>Einschalten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="667"/>
        <source>Discard</source>
        <translation>Verwerfen</translation>
    </message>
</context>
<context>
    <name>ChoreMenu</name>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="49"/>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="56"/>
        <source>Finish</source>
        <translation>Erledigen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="63"/>
        <source>Finished by…</source>
        <translation>Erledigt von…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="70"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="78"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
</context>
<context>
    <name>ChoreThumb</name>
    <message>
        <location filename="../Velmora/Screens/ChoreThumb.qml" line="20"/>
        <source>%1&apos;s turn</source>
        <translation>%1 ist dran</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreThumb.qml" line="21"/>
        <source>Repeats: %1</source>
        <translation>Wiederholt sich: %1</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreThumb.qml" line="22"/>
        <source>Snoozed until %1</source>
        <translation>Zurückgestellt bis %1</translation>
    </message>
</context>
<context>
    <name>ChoreView</name>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="16"/>
        <source>Chore</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="32"/>
        <source>Dates</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="39"/>
        <source>Repeats</source>
        <translation>Wiederholung</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="45"/>
        <source>Who</source>
        <translation>Wer</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="46"/>
        <source>%1&apos;s turn · %2</source>
        <translation>%1 ist dran · %2</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="47"/>
        <source>Anyone</source>
        <translation>Jeder</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="64"/>
        <source>Planned (duration)</source>
        <translation>Geplant (Dauer)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="69"/>
        <source>Passed (duration)</source>
        <translation>Vergangen (Dauer)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="79"/>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="84"/>
        <location filename="../Velmora/Screens/ChoreView.qml" line="143"/>
        <source>Finish</source>
        <translation>Erledigen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="93"/>
        <source>Finished by…</source>
        <translation>Erledigt von…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="104"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="111"/>
        <location filename="../Velmora/Screens/ChoreView.qml" line="122"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="121"/>
        <source>Delete “%1”?</source>
        <translation>„%1“ löschen?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="142"/>
        <source>Finish this chore?</source>
        <translation>Diese Aufgabe als erledigt markieren?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="142"/>
        <source>Finished by %1?</source>
        <translation>Von %1 erledigt?</translation>
    </message>
</context>
<context>
    <name>ChoresView</name>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="92"/>
        <source>No chores</source>
        <translation>Keine Aufgaben</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="92"/>
        <source>Nothing for you</source>
        <translation>Nichts für dich</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="95"/>
        <location filename="../Velmora/Screens/ChoresView.qml" line="98"/>
        <source>Click %1 or press %2 to add a chore</source>
        <translation>Klicke auf %1 oder drücke %2, um eine Aufgabe hinzuzufügen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="246"/>
        <source>Delete “%1”?</source>
        <translation>„%1“ löschen?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="260"/>
        <source>Finished by %1?</source>
        <translation>Von %1 erledigt?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="262"/>
        <source>Finish</source>
        <translation>Erledigen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="247"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="90"/>
        <source>Only your chores and those for anyone are shown: press %1 to see everyone&apos;s.</source>
        <translation>Nur deine Aufgaben und die für jeden werden gezeigt: %1 zeigt die aller.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="261"/>
        <source>Finish this chore?</source>
        <translation>Diese Aufgabe als erledigt markieren?</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="27"/>
        <source>TASKARELLO</source>
        <translation>TASKARELLO</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="33"/>
        <source>Showing mine</source>
        <translation>Zeigt meine</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="33"/>
        <source>Showing everyone&apos;s</source>
        <translation>Zeigt die aller</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="35"/>
        <source>Show everyone&apos;s chores</source>
        <translation>Die Aufgaben aller zeigen</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="36"/>
        <source>Show only yours and those for anyone</source>
        <translation>Nur deine zeigen und die für jeden</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="41"/>
        <source>Journal</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="48"/>
        <source>Add chore</source>
        <translation>Aufgabe hinzufügen</translation>
    </message>
</context>
<context>
    <name>DetailScreen</name>
    <message>
        <location filename="../Velmora/Screens/DetailScreen.qml" line="54"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>DuePicker</name>
    <message>
        <location filename="../Velmora/Screens/DuePicker.qml" line="41"/>
        <source>Previous month</source>
        <translation>Vorheriger Monat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/DuePicker.qml" line="55"/>
        <source>Next month</source>
        <translation>Nächster Monat</translation>
    </message>
</context>
<context>
    <name>FailureLine</name>
    <message>
        <location filename="../Velmora/Window/FailureLine.qml" line="57"/>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <location filename="../Velmora/Screens/FileDialogFit.cpp" line="14"/>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/FileDialogFit.cpp" line="14"/>
        <source>Filter</source>
        <translation>Filter</translation>
    </message>
</context>
<context>
    <name>HistoryStrip</name>
    <message>
        <location filename="../Velmora/Screens/HistoryStrip.qml" line="99"/>
        <source>Left and right move between the finishes</source>
        <translation>Links und rechts wechseln zwischen den Erledigungen</translation>
    </message>
</context>
<context>
    <name>HouseholdScreen</name>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="18"/>
        <source>Household</source>
        <translation>Haushalt</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="29"/>
        <source>Everyone who shares these chores. A chore is for anyone, for one member, or taken in turns; finishing one records who did it.</source>
        <translation>Alle, die sich diese Aufgaben teilen. Eine Aufgabe ist für jeden, für ein Mitglied oder reihum; beim Erledigen wird festgehalten, wer es war.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="31"/>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="37"/>
        <source>Your name on this computer</source>
        <translation>Dein Name auf diesem Computer</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="42"/>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="48"/>
        <source>Reminders only for your chores</source>
        <translation>Erinnerungen nur für deine Aufgaben</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="49"/>
        <source>This computer rings for chores of yours and those for anyone, not for the others&apos; chores.</source>
        <translation>Dieser Computer erinnert an deine Aufgaben und die für jeden, nicht an die der anderen.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="54"/>
        <source>Members</source>
        <translation>Mitglieder</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="87"/>
        <source>%1 (you)</source>
        <translation>%1 (du)</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="97"/>
        <source>%n chores</source>
        <translation>
            <numerusform>%n Aufgabe</numerusform>
            <numerusform>%n Aufgaben</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="97"/>
        <source>%n finished</source>
        <translation>
            <numerusform>%n erledigt</numerusform>
            <numerusform>%n erledigt</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="109"/>
        <source>New name for %1</source>
        <translation>Neuer Name für %1</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="136"/>
        <source>Rename %1</source>
        <translation>%1 umbenennen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="144"/>
        <source>Remove %1</source>
        <translation>%1 entfernen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="155"/>
        <source>Add a member, such as a child without a computer</source>
        <translation>Mitglied hinzufügen, etwa ein Kind ohne Computer</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="163"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="164"/>
        <source>Add a member</source>
        <translation>Mitglied hinzufügen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="170"/>
        <source>Add member</source>
        <translation>Mitglied hinzufügen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="182"/>
        <source>Remove %1 from the household?</source>
        <translation>%1 aus dem Haushalt entfernen?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="183"/>
        <source>Their chores become anyone&apos;s and they leave every turn order; what they finished stays in the journal.</source>
        <translation>Die Aufgaben werden zu Aufgaben für jeden, und die Person verlässt jede Reihenfolge; was sie erledigt hat, bleibt im Journal.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="184"/>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
</context>
<context>
    <name>JournalChoreView</name>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="16"/>
        <source>Journal</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="27"/>
        <source>Dates</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="34"/>
        <source>Finished by</source>
        <translation>Erledigt von</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="39"/>
        <source>Planned (duration)</source>
        <translation>Geplant (Dauer)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="44"/>
        <source>Passed (duration)</source>
        <translation>Vergangen (Dauer)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="55"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="62"/>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="73"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="72"/>
        <source>Delete “%1”?</source>
        <translation>„%1“ löschen?</translation>
    </message>
</context>
<context>
    <name>JournalThumb</name>
    <message>
        <location filename="../Velmora/Screens/JournalThumb.qml" line="14"/>
        <source>Finished by %1</source>
        <translation>Erledigt von %1</translation>
    </message>
</context>
<context>
    <name>JournalView</name>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="56"/>
        <source>No logs</source>
        <translation>Noch keine Einträge</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="57"/>
        <source>Finished and repeated chores are added to the journal</source>
        <translation>Erledigte und wiederholte Aufgaben erscheinen im Verlauf</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="42"/>
        <source>Journal</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="46"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="170"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="177"/>
        <location filename="../Velmora/Screens/JournalView.qml" line="186"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="185"/>
        <source>Delete “%1”?</source>
        <translation>„%1“ löschen?</translation>
    </message>
</context>
<context>
    <name>JournalYear</name>
    <message>
        <location filename="../Velmora/Screens/JournalYear.qml" line="135"/>
        <source>Up and down move by day, left and right by week; Enter shows the day in the journal</source>
        <translation>Auf und ab wechseln den Tag, links und rechts die Woche; Eingabe zeigt den Tag im Verlauf</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <location filename="../Velmora/Window/Main.qml" line="12"/>
        <source>Taskarello</source>
        <translation>Taskarello</translation>
    </message>
</context>
<context>
    <name>NotificationsNoticesView</name>
    <message>
        <location filename="../Velmora/Screens/NotificationsNoticesView.qml" line="50"/>
        <source>No notification service is running, so reminders cannot be shown.</source>
        <translation>Es läuft kein Benachrichtigungsdienst, daher können keine Erinnerungen angezeigt werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/NotificationsNoticesView.qml" line="91"/>
        <source>Check again</source>
        <translation>Erneut prüfen</translation>
    </message>
</context>
<context>
    <name>NotifyRow</name>
    <message>
        <location filename="../Velmora/Screens/NotifyRow.qml" line="17"/>
        <source>Notify</source>
        <translation>Erinnern</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/NotifyRow.qml" line="21"/>
        <source>%1, snoozed until %2</source>
        <extracomment>The reminder&apos;s planned time, then the time a snooze moved it to.</extracomment>
        <translation>%1, zurückgestellt bis %2</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <location filename="../Velmora/Platform/PrivateFiles.cpp" line="67"/>
        <source>%1 is a symbolic link; Taskarello does not follow links where it keeps its files. Remove it and start again.</source>
        <translation>%1 ist eine symbolische Verknüpfung; Taskarello folgt keinen Verknüpfungen, wo es seine Dateien ablegt. Entfernen Sie sie und starten Sie neu.</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <location filename="../Velmora/Screens/FileDialogFit.cpp" line="15"/>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/FileDialogFit.cpp" line="15"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>RipestWidgetIntent</name>
    <message>
        <location filename="../Velmora/App/RipestWidgetIntent.h" line="14"/>
        <source>_nearest-chores-title</source>
        <translation>Nächste Aufgaben</translation>
    </message>
</context>
<context>
    <name>SyncAccountScreen</name>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="41"/>
        <source>Sync</source>
        <translation>Abgleich</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="49"/>
        <source>Keep your chores in the tasks of your calendar account (Nextcloud, Radicale, Fastmail and others), and so on your other devices.</source>
        <translation>Halte deine Aufgaben in den Aufgaben deines Kalenderkontos (Nextcloud, Radicale, Fastmail und andere) und so auf deinen anderen Geräten.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="53"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="63"/>
        <source>Server address</source>
        <translation>Serveradresse</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="68"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="75"/>
        <source>User name</source>
        <translation>Benutzername</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="81"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="88"/>
        <source>App password</source>
        <translation>App-Passwort</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="96"/>
        <source>The password is kept in the desktop&apos;s Secret Service, never in a file.</source>
        <translation>Das Passwort liegt im Secret Service der Arbeitsumgebung, nie in einer Datei.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="128"/>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="137"/>
        <source>Which calendar holds your chores?</source>
        <translation>Welcher Kalender soll deine Aufgaben enthalten?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="138"/>
        <source>The account has no calendar for tasks yet.</source>
        <translation>Das Konto hat noch keinen Kalender für Aufgaben.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="161"/>
        <source>New calendar “%1”</source>
        <translation>Neuer Kalender „%1“</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="161"/>
        <source>Chores</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="168"/>
        <source>Or the address of a calendar shared with you</source>
        <translation>Oder die Adresse eines Kalenders, der mit dir geteilt ist</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="184"/>
        <source>Address of a calendar shared with you</source>
        <translation>Adresse eines Kalenders, der mit dir geteilt ist</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="191"/>
        <source>Use the calendar at this address</source>
        <translation>Den Kalender unter dieser Adresse verwenden</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="200"/>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="203"/>
        <source>Not encrypted</source>
        <translation>Nicht verschlüsselt</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="208"/>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="214"/>
        <source>Calendar</source>
        <translation>Kalender</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="269"/>
        <source>Looking for calendars…</source>
        <translation>Kalender werden gesucht…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="269"/>
        <source>Connecting…</source>
        <translation>Verbinden…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="276"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="282"/>
        <source>Your name in the household</source>
        <translation>Dein Name im Haushalt</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="291"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="299"/>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="307"/>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="315"/>
        <source>Sync now</source>
        <translation>Jetzt abgleichen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="322"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="332"/>
        <source>Disconnect</source>
        <translation>Trennen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="330"/>
        <source>Disconnect this account?</source>
        <translation>Dieses Konto trennen?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="331"/>
        <source>Your chores stay on this computer and in the calendar on the server; they are no longer synced, and the password is removed from the keyring.</source>
        <translation>Ihre Aufgaben bleiben auf diesem Computer und im Kalender auf dem Server; sie werden nicht mehr abgeglichen, und das Passwort wird aus dem Schlüsselbund entfernt.</translation>
    </message>
</context>
<context>
    <name>Tile</name>
    <message>
        <location filename="../Velmora/Screens/Tile.qml" line="28"/>
        <source>%1, %2, due %3</source>
        <translation>%1, %2, fällig am %3</translation>
    </message>
</context>
<context>
    <name>Velmora::ApplicationBus</name>
    <message>
        <location filename="../Velmora/Platform/ApplicationBus.cpp" line="149"/>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="148"/>
        <source>Taskarello is already running but does not answer.</source>
        <translation>Taskarello läuft bereits, antwortet aber nicht.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/ApplicationBus.cpp" line="156"/>
        <source>This Taskarello cannot run &quot;%1&quot;.</source>
        <translation>Dieses Taskarello kann „%1“ nicht ausführen.</translation>
    </message>
</context>
<context>
    <name>Velmora::BackupService</name>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="48"/>
        <source>The chore store is not open, so nothing was backed up.</source>
        <translation>Der Aufgabenspeicher ist nicht geöffnet, daher wurde nichts gesichert.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="51"/>
        <source>Backups can only be written to a local file.</source>
        <translation>Sicherungen lassen sich nur in eine lokale Datei schreiben.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/BackupService.cpp" line="58"/>
        <source>Backed up %n chore(s).</source>
        <translation>
            <numerusform>%n Aufgabe gesichert.</numerusform>
            <numerusform>%n Aufgaben gesichert.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="64"/>
        <source>The chore store is not open, so nothing was restored.</source>
        <translation>Der Aufgabenspeicher ist nicht geöffnet, daher wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="67"/>
        <source>Backups can only be read from a local file.</source>
        <translation>Sicherungen lassen sich nur aus einer lokalen Datei lesen.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="79"/>
        <source>The chore store is not open, so no calendar was written.</source>
        <translation>Der Aufgabenspeicher ist nicht geöffnet, daher wurde kein Kalender geschrieben.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="86"/>
        <source>The chores could not be read from the store, so no calendar was written.</source>
        <translation>Die Aufgaben konnten nicht aus dem Aufgabenspeicher gelesen werden, daher wurde kein Kalender geschrieben.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="101"/>
        <source>Taskarello backup %1.json</source>
        <extracomment>The file name a backup is offered under; %1 is today as 2026-12-08.</extracomment>
        <translation>Taskarello-Sicherung %1.json</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="107"/>
        <source>Taskarello chores %1.ics</source>
        <extracomment>The file name the calendar export is offered under; %1 is today as 2026-12-08.</extracomment>
        <translation>Taskarello-Aufgaben %1.ics</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="82"/>
        <source>Calendars can only be written to a local file.</source>
        <translation>Kalender lassen sich nur in eine lokale Datei schreiben.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/BackupService.cpp" line="89"/>
        <source>Exported %n chore(s) to the calendar file.</source>
        <translation>
            <numerusform>%n Aufgabe in die Kalenderdatei exportiert.</numerusform>
            <numerusform>%n Aufgaben in die Kalenderdatei exportiert.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Velmora::CalendarExport</name>
    <message>
        <location filename="../Velmora/Model/CalendarExport.cpp" line="51"/>
        <source>Taskarello chores</source>
        <translation>Taskarello-Aufgaben</translation>
    </message>
</context>
<context>
    <name>Velmora::Chore</name>
    <message>
        <location filename="../Velmora/Model/Chore.cpp" line="14"/>
        <source>Untitled chore</source>
        <translation>Aufgabe ohne Titel</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreBackup</name>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="362"/>
        <source>There are more than %1 chores, more than a backup can hold.</source>
        <translation>Es gibt mehr als %1 Aufgaben, mehr als eine Sicherung fassen kann.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="367"/>
        <source>Chore &quot;%1&quot; has a title longer than %2 characters, too long for a backup.</source>
        <translation>Die Aufgabe „%1“ hat einen Titel mit mehr als %2 Zeichen, zu lang für eine Sicherung.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="371"/>
        <source>Chore &quot;%1&quot; has a date outside the years 1 to 9999, which a backup cannot hold.</source>
        <translation>Die Aufgabe „%1“ hat ein Datum außerhalb der Jahre 1 bis 9999, das eine Sicherung nicht fassen kann.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="377"/>
        <source>Chore &quot;%1&quot; repeats by a rule too long for a backup.</source>
        <translation>Aufgabe „%1“ wiederholt sich nach einer Regel, die für eine Sicherung zu lang ist.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="393"/>
        <source>The backup would be larger than %1 MB.</source>
        <translation>Die Sicherung wäre größer als %1 MB.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="440"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="568"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="575"/>
        <source>The file is larger than %1 MB, too large to be a backup.</source>
        <translation>Die Datei ist größer als %1 MB und damit zu groß für eine Sicherung.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="444"/>
        <source>The file is not a Taskarello backup: it is not readable JSON.</source>
        <translation>Die Datei ist keine Taskarello-Sicherung: Sie ist kein lesbares JSON.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="447"/>
        <source>The file is not a Taskarello backup.</source>
        <translation>Die Datei ist keine Taskarello-Sicherung.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="450"/>
        <source>The backup has no schema version this app knows.</source>
        <translation>Die Sicherung hat keine Schemaversion, die diese App kennt.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="453"/>
        <source>The backup comes from a newer version of Taskarello (schema %1) and cannot be restored.</source>
        <translation>Die Sicherung stammt aus einer neueren Taskarello-Version (Schema %1) und kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="457"/>
        <source>The backup has no list of chores.</source>
        <translation>Die Sicherung enthält keine Liste von Aufgaben.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="461"/>
        <source>The backup&apos;s list of members is not a list of names.</source>
        <translation>Die Mitgliederliste der Sicherung ist keine Liste von Namen.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="463"/>
        <source>The backup holds %1 chores, more than the %2 a backup may hold.</source>
        <translation>Die Sicherung enthält %1 Aufgaben, mehr als die %2, die eine Sicherung enthalten darf.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="474"/>
        <source>Chore %1 in the backup is not a chore record.</source>
        <translation>Aufgabe %1 in der Sicherung ist kein Aufgabeneintrag.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="478"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="483"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="488"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="491"/>
        <source>Chore %1 in the backup has a missing or invalid &quot;%2&quot;.</source>
        <translation>Bei Aufgabe %1 in der Sicherung fehlt „%2“ oder ist ungültig.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="480"/>
        <source>Chore %1 in the backup has a title longer than %2 characters.</source>
        <translation>Aufgabe %1 in der Sicherung hat einen Titel mit mehr als %2 Zeichen.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="506"/>
        <source>The chore store is not open, so nothing was restored.</source>
        <translation>Der Aufgabenspeicher ist nicht geöffnet, daher wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="545"/>
        <source>The chores could not be saved, so nothing was restored.</source>
        <translation>Die Aufgaben konnten nicht gespeichert werden, daher wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="415"/>
        <source>The chores could not be read from the store, so nothing was backed up.</source>
        <translation>Die Aufgaben konnten nicht aus dem Aufgabenspeicher gelesen werden, daher wurde nichts gesichert.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="515"/>
        <source>The chores could not be read from the store, so nothing was restored.</source>
        <translation>Die Aufgaben konnten nicht aus dem Aufgabenspeicher gelesen werden, daher wurde nichts wiederhergestellt.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="550"/>
        <source>The backup holds no chores.</source>
        <translation>Die Sicherung enthält keine Aufgaben.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="552"/>
        <source>Every chore in the backup is already here.</source>
        <translation>Jede Aufgabe der Sicherung ist schon vorhanden.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="554"/>
        <source>Restored %n chore(s).</source>
        <translation>
            <numerusform>%n Aufgabe wiederhergestellt.</numerusform>
            <numerusform>%n Aufgaben wiederhergestellt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="556"/>
        <source>Restored %n chore(s); the others were already here.</source>
        <translation>
            <numerusform>%n Aufgabe wiederhergestellt; die übrigen waren schon vorhanden.</numerusform>
            <numerusform>%n Aufgaben wiederhergestellt; die übrigen waren schon vorhanden.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="564"/>
        <source>The file %1 does not exist.</source>
        <translation>Die Datei %1 existiert nicht.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="566"/>
        <source>%1 is not a file.</source>
        <translation>%1 ist keine Datei.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="571"/>
        <source>The file could not be opened: %1.</source>
        <translation>Die Datei konnte nicht geöffnet werden: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="583"/>
        <source>%1 is a symbolic link; nothing was written through it. Choose another file.</source>
        <translation>%1 ist eine symbolische Verknüpfung; es wurde nichts darüber geschrieben. Wählen Sie eine andere Datei.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="590"/>
        <source>The file could not be written: %1.</source>
        <translation>Die Datei konnte nicht geschrieben werden: %1.</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreChanges</name>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="79"/>
        <source>the disk is full</source>
        <translation>die Festplatte ist voll</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="80"/>
        <source>its file may only be read</source>
        <translation>ihre Datei darf nur gelesen werden</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="81"/>
        <source>the disk could not be written to</source>
        <translation>auf die Festplatte konnte nicht geschrieben werden</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="82"/>
        <source>its file is damaged</source>
        <translation>ihre Datei ist beschädigt</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="83"/>
        <source>another program is using its file, try again</source>
        <translation>ein anderes Programm nutzt ihre Datei, bitte erneut versuchen</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="84"/>
        <source>it is no longer stored</source>
        <translation>sie ist nicht mehr gespeichert</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="94"/>
        <source>The chore could not be saved.</source>
        <translation>Die Aufgabe konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="94"/>
        <source>The chore could not be saved: %1.</source>
        <translation>Die Aufgabe konnte nicht gespeichert werden: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="97"/>
        <source>The chore could not be repeated.</source>
        <translation>Die Aufgabe konnte nicht wiederholt werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="97"/>
        <source>The chore could not be repeated: %1.</source>
        <translation>Die Aufgabe konnte nicht wiederholt werden: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="100"/>
        <source>The chore could not be finished.</source>
        <translation>Die Aufgabe konnte nicht erledigt werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="100"/>
        <source>The chore could not be finished: %1.</source>
        <translation>Die Aufgabe konnte nicht erledigt werden: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="103"/>
        <source>The chore could not be deleted.</source>
        <translation>Die Aufgabe konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="103"/>
        <source>The chore could not be deleted: %1.</source>
        <translation>Die Aufgabe konnte nicht gelöscht werden: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="106"/>
        <source>The member could not be added.</source>
        <translation>Das Mitglied konnte nicht hinzugefügt werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="106"/>
        <source>The member could not be added: %1.</source>
        <translation>Das Mitglied konnte nicht hinzugefügt werden: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="109"/>
        <source>The member could not be renamed.</source>
        <translation>Das Mitglied konnte nicht umbenannt werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="109"/>
        <source>The member could not be renamed: %1.</source>
        <translation>Das Mitglied konnte nicht umbenannt werden: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="112"/>
        <source>The member could not be removed.</source>
        <translation>Das Mitglied konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="112"/>
        <source>The member could not be removed: %1.</source>
        <translation>Das Mitglied konnte nicht entfernt werden: %1.</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreDates</name>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="115"/>
        <source>overdue</source>
        <translation>überfällig</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="117"/>
        <source>today</source>
        <translation>heute</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="122"/>
        <source>%n days left</source>
        <translation>
            <numerusform>noch %n Tag</numerusform>
            <numerusform>noch %n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="122"/>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="134"/>
        <source>%n days</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="125"/>
        <source>%n months left</source>
        <translation>
            <numerusform>noch %n Monat</numerusform>
            <numerusform>noch %n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="125"/>
        <source>%n months</source>
        <translation>
            <numerusform>%n Monat</numerusform>
            <numerusform>%n Monate</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="127"/>
        <source>years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="133"/>
        <source>Same day</source>
        <translation>Am selben Tag</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="139"/>
        <source>This chore is due today!</source>
        <translation>Diese Aufgabe ist heute fällig!</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreEditor</name>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="188"/>
        <source>Update</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="189"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="191"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="280"/>
        <source>Finished today, it comes back on %1.</source>
        <translation>Heute erledigt, kommt sie am %1 wieder.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="282"/>
        <source>Finished today, it does not come back: its rule has ended.</source>
        <translation>Heute erledigt, kommt sie nicht wieder: ihre Regel ist zu Ende.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="386"/>
        <source>Anyone</source>
        <translation>Jeder</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="388"/>
        <source>Taking turns</source>
        <translation>Reihum</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="514"/>
        <source>The chore could not be saved.</source>
        <translation>Die Aufgabe konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreHistory</name>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="26"/>
        <source>every %n months</source>
        <translation>
            <numerusform>monatlich</numerusform>
            <numerusform>alle %n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="27"/>
        <source>every %n years</source>
        <translation>
            <numerusform>jährlich</numerusform>
            <numerusform>alle %n Jahre</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="64"/>
        <source>Done on time the last time</source>
        <translation>Das letzte Mal pünktlich erledigt</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="64"/>
        <source>Done late the last time</source>
        <translation>Das letzte Mal verspätet erledigt</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="65"/>
        <source>Done %1 of the last %n on time</source>
        <translation>
            <numerusform>%1 von %n pünktlich erledigt</numerusform>
            <numerusform>%1 der letzten %n pünktlich erledigt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="70"/>
        <source>%1, on average every %n days</source>
        <translation>
            <numerusform>%1, im Schnitt jeden Tag</numerusform>
            <numerusform>%1, im Schnitt alle %n Tage</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="72"/>
        <source>%1 (planned: %2)</source>
        <translation>%1 (geplant: %2)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="118"/>
        <source>Finished by %1 on %2, on time</source>
        <translation>Von %1 erledigt am %2, pünktlich</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="119"/>
        <source>Finished by %1 on %2, %n days late</source>
        <translation>
            <numerusform>Von %1 erledigt am %2, %n Tag zu spät</numerusform>
            <numerusform>Von %1 erledigt am %2, %n Tage zu spät</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="121"/>
        <source>Finished %1, on time</source>
        <translation>Erledigt am %1, rechtzeitig</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="121"/>
        <source>Finished %1, %n days late</source>
        <translation>
            <numerusform>Erledigt am %1, %n Tag zu spät</numerusform>
            <numerusform>Erledigt am %1, %n Tage zu spät</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Velmora::JournalCalendar</name>
    <message>
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="267"/>
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="288"/>
        <source>%1 · %2</source>
        <extracomment>A day&apos;s count, then who finished them: &quot;3 chores finished on 4 December · Alice 2, Bob 1&quot;.</extracomment>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="280"/>
        <source>%1 %2</source>
        <extracomment>A member of the household and how many chores they finished: &quot;Alice 12&quot;.</extracomment>
        <translation>%1 %2</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="287"/>
        <source>This month: %n</source>
        <translation>
            <numerusform>Diesen Monat: %n</numerusform>
            <numerusform>Diesen Monat: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="289"/>
        <source>last month: %n</source>
        <translation>
            <numerusform>letzten Monat: %n</numerusform>
            <numerusform>letzten Monat: %n</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="302"/>
        <source>Nothing finished on %1</source>
        <translation>Nichts erledigt am %1</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="310"/>
        <source>%1 · %n finished</source>
        <extracomment>A day of the journal&apos;s calendar in full, then how many chores were finished on it.</extracomment>
        <translation>
            <numerusform>%1 · %n erledigt</numerusform>
            <numerusform>%1 · %n erledigt</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="310"/>
        <source>%1 · nothing finished</source>
        <translation>%1 · nichts erledigt</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="316"/>
        <source>%n chores finished on %1</source>
        <translation>
            <numerusform>%n Aufgabe erledigt am %1</numerusform>
            <numerusform>%n Aufgaben erledigt am %1</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="317"/>
        <source>No chores finished on %1</source>
        <translation>Keine Aufgaben erledigt am %1</translation>
    </message>
</context>
<context>
    <name>Velmora::PasswordStore</name>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="62"/>
        <source>Waiting for the keyring to be unlocked</source>
        <translation>Warten, bis der Schlüsselbund entsperrt ist</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="77"/>
        <source>The password is not in the Secret Service; disconnect and connect the account again.</source>
        <translation>Das Passwort ist nicht im Secret Service; trenne das Konto und verbinde es erneut.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="84"/>
        <source>The Secret Service refused access to the password.</source>
        <translation>Der Secret Service hat den Zugriff auf das Passwort verweigert.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="90"/>
        <source>No Secret Service is reachable, so the password cannot be read.</source>
        <translation>Kein Secret Service ist erreichbar, daher kann das Passwort nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="92"/>
        <source>No Secret Service is reachable, so the password was not saved.</source>
        <translation>Kein Secret Service ist erreichbar, daher wurde das Passwort nicht gespeichert.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="94"/>
        <source>The password could not be removed from the Secret Service.</source>
        <translation>Das Passwort konnte nicht aus dem Secret Service entfernt werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="124"/>
        <source>The keyring stayed locked, so the password cannot be read.</source>
        <translation>Der Schlüsselbund blieb gesperrt, daher kann das Passwort nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>Velmora::Recurrence</name>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="171"/>
        <source>%n day(s) after finishing</source>
        <translation>
            <numerusform>%n Tag nach dem Erledigen</numerusform>
            <numerusform>%n Tage nach dem Erledigen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="172"/>
        <source>%n week(s) after finishing</source>
        <translation>
            <numerusform>%n Woche nach dem Erledigen</numerusform>
            <numerusform>%n Wochen nach dem Erledigen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="173"/>
        <source>%n month(s) after finishing</source>
        <translation>
            <numerusform>%n Monat nach dem Erledigen</numerusform>
            <numerusform>%n Monate nach dem Erledigen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="174"/>
        <source>%n year(s) after finishing</source>
        <translation>
            <numerusform>%n Jahr nach dem Erledigen</numerusform>
            <numerusform>%n Jahre nach dem Erledigen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="175"/>
        <source>%n hour(s) after finishing</source>
        <translation>
            <numerusform>%n Stunde nach dem Erledigen</numerusform>
            <numerusform>%n Stunden nach dem Erledigen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="180"/>
        <source>Every %n day(s)</source>
        <translation>
            <numerusform>Jeden Tag</numerusform>
            <numerusform>Alle %n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="181"/>
        <source>Every %n week(s)</source>
        <translation>
            <numerusform>Jede Woche</numerusform>
            <numerusform>Alle %n Wochen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="182"/>
        <source>Every %n month(s)</source>
        <translation>
            <numerusform>Jeden Monat</numerusform>
            <numerusform>Alle %n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="183"/>
        <source>Every %n year(s)</source>
        <translation>
            <numerusform>Jedes Jahr</numerusform>
            <numerusform>Alle %n Jahre</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="184"/>
        <source>Every %n hour(s)</source>
        <translation>
            <numerusform>Jede Stunde</numerusform>
            <numerusform>Alle %n Stunden</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/Recurrence.cpp" line="561"/>
        <source>Repeats (rule not supported)</source>
        <translation>Wiederholt sich (Regel nicht unterstützt)</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/Recurrence.cpp" line="567"/>
        <source>%1 on %2</source>
        <translation>%1 am %2</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="572"/>
        <source>%1, %n time(s) in all</source>
        <translation>
            <numerusform>%1, %n Mal insgesamt</numerusform>
            <numerusform>%1, %n Mal insgesamt</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/Recurrence.cpp" line="574"/>
        <source>%1, until %2</source>
        <translation>%1, bis %2</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/Recurrence.cpp" line="580"/>
        <source>%1, with further rules</source>
        <translation>%1, mit weiteren Regeln</translation>
    </message>
</context>
<context>
    <name>Velmora::Reminders</name>
    <message>
        <location filename="../Velmora/Notifications/Reminders.cpp" line="59"/>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/Reminders.cpp" line="59"/>
        <source>Finish</source>
        <translation>Erledigen</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/Reminders.cpp" line="60"/>
        <source>Snooze for an hour</source>
        <translation>In einer Stunde erinnern</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/Reminders.cpp" line="191"/>
        <source>The snooze could not be saved: it rings again in an hour only if Taskarello keeps running.</source>
        <translation>Das Schlummern konnte nicht gespeichert werden: die Erinnerung kommt in einer Stunde nur wieder, wenn Taskarello weiterläuft.</translation>
    </message>
</context>
<context>
    <name>Velmora::ScreenTexts</name>
    <message>
        <location filename="../Velmora/Screens/ScreenTexts.cpp" line="77"/>
        <source>%1 · due %2</source>
        <translation>%1 · fällig %2</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ScreenTexts.h" line="66"/>
        <source>Puts this time in the journal and starts the chore again today, once. Edit it to have it come back by itself.</source>
        <translation>Trägt dieses Mal ins Journal ein und beginnt die Aufgabe heute einmal neu. Damit sie von selbst wiederkommt, bearbeite sie.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ScreenTexts.h" line="67"/>
        <source>Starts this chore again today, once. Edit the new one to have it come back by itself.</source>
        <translation>Beginnt diese Aufgabe heute einmal neu. Damit sie von selbst wiederkommt, bearbeite die neue.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync</name>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="557"/>
        <source>The task is larger than 1 MB.</source>
        <translation>Die Aufgabe ist größer als 1 MB.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="561"/>
        <source>The server sent a web page instead of a task.</source>
        <translation>Der Server hat eine Webseite statt einer Aufgabe geschickt.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="565"/>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="574"/>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="602"/>
        <source>The task is not valid iCalendar.</source>
        <translation>Die Aufgabe ist kein gültiges iCalendar.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="740"/>
        <source>The task has no UID.</source>
        <translation>Die Aufgabe hat keine UID.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="750"/>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="790"/>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="804"/>
        <source>The task&apos;s dates are out of range.</source>
        <translation>Die Daten der Aufgabe liegen außerhalb des gültigen Bereichs.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="771"/>
        <source>The task&apos;s repeat rules are larger than 64 KB.</source>
        <translation>Die Wiederholungsregeln der Aufgabe sind größer als 64 KB.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="1082"/>
        <source>The chore has no usable UID.</source>
        <translation>Die Aufgabe hat keine brauchbare UID.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="1084"/>
        <source>The time zone is unknown.</source>
        <translation>Die Zeitzone ist unbekannt.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="1087"/>
        <source>The chore&apos;s dates are out of range.</source>
        <translation>Die Daten der Aufgabe liegen außerhalb des gültigen Bereichs.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::CalDavClient</name>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="382"/>
        <source>The server&apos;s answer was too large to accept.</source>
        <translation>Die Antwort des Servers war zu groß, um sie anzunehmen.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="384"/>
        <source>The server took more than %n second(s) to answer; the request was stopped.</source>
        <translation>
            <numerusform>Der Server hat länger als %n Sekunde gebraucht; die Anfrage wurde abgebrochen.</numerusform>
            <numerusform>Der Server hat länger als %n Sekunden gebraucht; die Anfrage wurde abgebrochen.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="387"/>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="397"/>
        <source>The server did not answer in time.</source>
        <translation>Der Server hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="391"/>
        <source>The server&apos;s answer could not be read.</source>
        <translation>Die Antwort des Servers konnte nicht gelesen werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="395"/>
        <source>The server&apos;s certificate could not be verified.</source>
        <translation>Das Zertifikat des Servers konnte nicht geprüft werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="399"/>
        <source>The connection to the server was lost.</source>
        <translation>Die Verbindung zum Server ist abgebrochen.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="401"/>
        <source>The server could not be reached.</source>
        <translation>Der Server ist nicht erreichbar.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="408"/>
        <source>The server refused the user name or password.</source>
        <translation>Der Server hat den Benutzernamen oder das Passwort abgelehnt.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="410"/>
        <source>The server does not allow this for this account.</source>
        <translation>Der Server erlaubt das für dieses Konto nicht.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="413"/>
        <source>The calendar or task was not found on the server.</source>
        <translation>Der Kalender oder die Aufgabe wurde auf dem Server nicht gefunden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="415"/>
        <source>The task was changed on the server meanwhile.</source>
        <translation>Die Aufgabe wurde inzwischen auf dem Server geändert.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="420"/>
        <source>The server is busy; it asks to wait %n minute(s).</source>
        <translation>
            <numerusform>Der Server ist ausgelastet; er bittet, %n Minute zu warten.</numerusform>
            <numerusform>Der Server ist ausgelastet; er bittet, %n Minuten zu warten.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="426"/>
        <source>The address leads to a web page, not to a CalDAV server.</source>
        <translation>Die Adresse führt zu einer Webseite, nicht zu einem CalDAV-Server.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="427"/>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="590"/>
        <source>The server reported error %1.</source>
        <translation>Der Server meldete den Fehler %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="336"/>
        <source>The address does not lead to a CalDAV server.</source>
        <translation>Die Adresse führt nicht zu einem CalDAV-Server.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="118"/>
        <source>The server did not let this account change the calendar; it may be shared with you to read only.</source>
        <translation>Der Server hat diesem Konto nicht erlaubt, den Kalender zu ändern; vielleicht ist er nur zum Lesen mit dir geteilt.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="348"/>
        <source>The server&apos;s answer broke off as XML at line %1; nothing of it was taken.</source>
        <translation>Die Antwort des Servers bricht in Zeile %1 als XML ab; nichts davon wurde übernommen.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="373"/>
        <source>The server pointed to an address without encryption, %1; nothing was sent there.</source>
        <translation>Der Server verwies auf eine Adresse ohne Verschlüsselung, %1; dorthin wurde nichts gesendet.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="374"/>
        <source>The server pointed to another address, %1; the password was not sent there.</source>
        <translation>Der Server verwies auf eine andere Adresse, %1; das Passwort wurde nicht dorthin gesendet.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="379"/>
        <source>The server sent a change on to another address, %1; it was not sent again.</source>
        <translation>Der Server hat eine Änderung an eine andere Adresse weitergeleitet, %1; sie wurde nicht erneut gesendet.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="445"/>
        <source>Setting up the account took longer than %n second(s) and was stopped.</source>
        <translation>
            <numerusform>Das Einrichten des Kontos dauerte länger als %n Sekunde und wurde abgebrochen.</numerusform>
            <numerusform>Das Einrichten des Kontos dauerte länger als %n Sekunden und wurde abgebrochen.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="635"/>
        <source>The server asked for a full resync.</source>
        <translation>Der Server verlangt einen vollständigen Abgleich.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::SyncAccount</name>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="72"/>
        <source>The calendar&apos;s address is not encrypted; connect the account again.</source>
        <translation>Die Adresse des Kalenders ist nicht verschlüsselt; verbinde das Konto erneut.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="155"/>
        <source>%1 (read only)</source>
        <translation>%1 (nur lesen)</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="185"/>
        <source>Not set up</source>
        <translation>Nicht eingerichtet</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="187"/>
        <source>Syncing…</source>
        <translation>Wird abgeglichen…</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="191"/>
        <source>Not synced yet</source>
        <translation>Noch nicht abgeglichen</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="197"/>
        <source>Synced just now</source>
        <translation>Gerade eben abgeglichen</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="199"/>
        <source>Synced %n minute(s) ago</source>
        <translation>
            <numerusform>Vor %n Minute abgeglichen</numerusform>
            <numerusform>Vor %n Minuten abgeglichen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="201"/>
        <source>Synced %n hour(s) ago</source>
        <translation>
            <numerusform>Vor %n Stunde abgeglichen</numerusform>
            <numerusform>Vor %n Stunden abgeglichen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="202"/>
        <source>Synced %n day(s) ago</source>
        <translation>
            <numerusform>Vor %n Tag abgeglichen</numerusform>
            <numerusform>Vor %n Tagen abgeglichen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="211"/>
        <source>%n task(s) without a due day not shown</source>
        <translation>
            <numerusform>%n Aufgabe ohne Fälligkeitstag nicht gezeigt</numerusform>
            <numerusform>%n Aufgaben ohne Fälligkeitstag nicht gezeigt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="213"/>
        <source>%n other item(s) not shown</source>
        <translation>
            <numerusform>%n anderer Eintrag nicht gezeigt</numerusform>
            <numerusform>%n andere Einträge nicht gezeigt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="215"/>
        <source>%n task(s) could not be read</source>
        <translation>
            <numerusform>%n Aufgabe konnte nicht gelesen werden</numerusform>
            <numerusform>%n Aufgaben konnten nicht gelesen werden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="218"/>
        <source>%n field(s) changed on two devices: the later change kept</source>
        <translation>
            <numerusform>%n Feld auf zwei Geräten geändert: die spätere Änderung bleibt</numerusform>
            <numerusform>%n Felder auf zwei Geräten geändert: die späteren Änderungen bleiben</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="221"/>
        <source>%n item(s) outside the calendar ignored</source>
        <translation>
            <numerusform>%n Eintrag außerhalb des Kalenders übergangen</numerusform>
            <numerusform>%n Einträge außerhalb des Kalenders übergangen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="224"/>
        <source>%n member name(s) from the server cleaned</source>
        <translation>
            <numerusform>%n Mitgliedsname vom Server bereinigt</numerusform>
            <numerusform>%n Mitgliedsnamen vom Server bereinigt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="226"/>
        <source>%n task(s) not taken in: the app holds at most %1 chores</source>
        <translation>
            <numerusform>%n Aufgabe nicht übernommen: die App fasst höchstens %1 Aufgaben</numerusform>
            <numerusform>%n Aufgaben nicht übernommen: die App fasst höchstens %1 Aufgaben</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="317"/>
        <source>The account is being set up already.</source>
        <translation>Das Konto wird bereits eingerichtet.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="320"/>
        <source>Enter the server address, such as https://cloud.example.org/remote.php/dav.</source>
        <translation>Gib die Serveradresse ein, etwa https://cloud.example.org/remote.php/dav.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="322"/>
        <source>Enter the user name.</source>
        <translation>Gib den Benutzernamen ein.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="324"/>
        <source>Enter the password.</source>
        <translation>Gib das Passwort ein.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="327"/>
        <source>%1 is not encrypted, so the password would be readable on the network; give --allow-http to connect all the same.</source>
        <translation>%1 ist nicht verschlüsselt, das Passwort wäre im Netz lesbar; mit --allow-http wird trotzdem verbunden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="330"/>
        <source>Connect without encryption? The password will be readable on the network.</source>
        <translation>Ohne Verschlüsselung verbinden? Das Passwort ist dann im Netz lesbar.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="347"/>
        <source>The server sends you on to another address. Connect there? Your password will be sent to it.</source>
        <translation>Der Server leitet an eine andere Adresse weiter. Dorthin verbinden? Dein Passwort wird an sie gesendet.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="373"/>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="422"/>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="687"/>
        <source>Chores</source>
        <translation>Aufgaben</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="383"/>
        <source>Enter the calendar&apos;s whole address, such as https://cloud.example.org/remote.php/dav/calendars/alice/chores/.</source>
        <translation>Gib die ganze Adresse des Kalenders ein, etwa https://cloud.example.org/remote.php/dav/calendars/alice/chores/.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="399"/>
        <source>The calendar %1 is not on the account&apos;s server %2; the password was not sent there.</source>
        <translation>Der Kalender %1 liegt nicht auf dem Server des Kontos, %2; das Passwort wurde nicht dorthin gesendet.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="412"/>
        <source>The server does not let this account read the calendar at %1; ask its owner to share it with you.</source>
        <translation>Der Server lässt dieses Konto den Kalender unter %1 nicht lesen; bitte den Besitzer, ihn mit dir zu teilen.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="430"/>
        <source>The server offers no place for a new calendar.</source>
        <translation>Der Server bietet keinen Ort für einen neuen Kalender.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="455"/>
        <source>“%1” is shared with you to read only, so chores finished here could not reach it; choose a calendar you may change.</source>
        <translation>„%1“ ist nur zum Lesen mit dir geteilt, erledigte Aufgaben von hier könnten ihn also nicht erreichen; wähle einen Kalender, den du ändern darfst.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="497"/>
        <source>The account could not be written to the settings file.</source>
        <translation>Das Konto konnte nicht in die Einstellungsdatei geschrieben werden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="524"/>
        <source>Replace the connected account? Your chores will sync with the account at this address instead, once you give its password.</source>
        <translation>Das verbundene Konto ersetzen? Ihre Aufgaben werden dann mit dem Konto unter dieser Adresse abgeglichen, sobald Sie sein Passwort angeben.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="574"/>
        <source>%1 (and %n more)</source>
        <translation>
            <numerusform>%1 (und %n weiterer)</numerusform>
            <numerusform>%1 (und %n weitere)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="627"/>
        <source>No sync account is set up: connect one first with --sync-account.</source>
        <translation>Kein Synchronisierungskonto eingerichtet: zuerst mit --sync-account verbinden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="650"/>
        <source>Synced: %1 sent, %2 received.</source>
        <translation>Synchronisiert: %1 gesendet, %2 empfangen.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="415"/>
        <source>The server %1 has no calendar for tasks at %2.</source>
        <translation>Der Server %1 hat unter %2 keinen Kalender für Aufgaben.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::SyncCommands</name>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="88"/>
        <source>Give the user name after the server address.</source>
        <translation>Gib den Benutzernamen nach der Serveradresse an.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="106"/>
        <source>Password: </source>
        <translation>Passwort: </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="114"/>
        <source>Unknown action &quot;%1&quot;.</source>
        <translation>Unbekannte Aktion „%1“.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="121"/>
        <source>An account is not set up over the bus, where its password would travel: connect it in Taskarello&apos;s window.</source>
        <translation>Ein Konto wird nicht über den Bus eingerichtet, über den sein Passwort ginge: verbinden Sie es im Fenster von Taskarello.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="149"/>
        <source>Taskarello is already running: its account screen was opened with the address filled in. Give the password there.</source>
        <translation>Taskarello läuft bereits: seine Kontoseite wurde mit der Adresse geöffnet. Geben Sie dort das Passwort an.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::SyncEngine</name>
    <message>
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="52"/>
        <source>The chores could not be written here: %1</source>
        <translation>Die Aufgaben konnten hier nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="138"/>
        <source>“%1” was not synced: %2</source>
        <translation>„%1“ wurde nicht abgeglichen: %2</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="161"/>
        <source>Sync is not set up.</source>
        <translation>Die Synchronisierung ist nicht eingerichtet.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="171"/>
        <source>The sync took longer than %n minute(s) and was stopped; it goes on at the next sync.</source>
        <translation>
            <numerusform>Der Abgleich dauerte länger als %n Minute und wurde angehalten; er geht beim nächsten Abgleich weiter.</numerusform>
            <numerusform>Der Abgleich dauerte länger als %n Minuten und wurde angehalten; er geht beim nächsten Abgleich weiter.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="383"/>
        <source>The calendar on the server suddenly holds none of the %n chore(s); nothing was deleted here.</source>
        <translation>
            <numerusform>Der Kalender auf dem Server enthält plötzlich die %n Aufgabe nicht mehr; hier wurde nichts gelöscht.</numerusform>
            <numerusform>Der Kalender auf dem Server enthält plötzlich keine der %n Aufgaben mehr; hier wurde nichts gelöscht.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="474"/>
        <source>The server kept answering that more changes follow; the sync stopped after %n pass(es).</source>
        <translation>
            <numerusform>Der Server meldete immer wieder weitere Änderungen; der Abgleich hielt nach %n Durchgang an.</numerusform>
            <numerusform>Der Server meldete immer wieder weitere Änderungen; der Abgleich hielt nach %n Durchgängen an.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::VTodoCodec</name>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="1286"/>
        <source>The chore is larger than 1 MB.</source>
        <translation>Die Aufgabe ist größer als 1 MB.</translation>
    </message>
</context>
<context>
    <name>Velmora::Tray</name>
    <message>
        <location filename="../Velmora/App/Tray.cpp" line="12"/>
        <location filename="../Velmora/App/Tray.cpp" line="15"/>
        <source>Taskarello</source>
        <translation>Taskarello</translation>
    </message>
    <message>
        <location filename="../Velmora/App/Tray.cpp" line="15"/>
        <source>Chores that fall due on a day</source>
        <translation>Aufgaben, die an einem Tag fällig werden</translation>
    </message>
    <message>
        <location filename="../Velmora/App/Tray.cpp" line="36"/>
        <source>%1 — %2</source>
        <extracomment>A chore in the tray menu: its title, then how long is left (&quot;today&quot;, &quot;3 days&quot;).</extracomment>
        <translation>%1 — %2</translation>
    </message>
    <message>
        <location filename="../Velmora/App/Tray.cpp" line="41"/>
        <source>Open Taskarello</source>
        <translation>Taskarello öffnen</translation>
    </message>
    <message>
        <location filename="../Velmora/App/Tray.cpp" line="41"/>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../Velmora/App/Launcher.cpp" line="130"/>
        <location filename="../Velmora/App/Launcher.cpp" line="141"/>
        <source>Taskarello is already running but does not answer.</source>
        <translation>Taskarello läuft bereits, antwortet aber nicht.</translation>
    </message>
    <message>
        <location filename="../Velmora/App/Launcher.cpp" line="243"/>
        <source>Taskarello is already running: another of its processes holds %1. Quit that one (Quit in its tray menu) or end it, then start again.</source>
        <translation>Taskarello läuft bereits: ein anderer seiner Prozesse hält %1. Beenden Sie diesen (Beenden im Menü seines Symbols) und starten Sie dann neu.</translation>
    </message>
</context>
</TS>
