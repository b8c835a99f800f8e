<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ActionAlert</name>
    <message>
        <location filename="../Velmora/Screens/ActionAlert.qml" line="59"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>ChoreEditorScreen</name>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="20"/>
        <source>Chore</source>
        <translation>Aufgabe</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="36"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="37"/>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="46"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="67"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="80"/>
        <source>Color</source>
        <translation>Farbe</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="94"/>
        <source>Fewer days</source>
        <translation>Weniger Tage</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="104"/>
        <source>More days</source>
        <translation>Mehr Tage</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="114"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="120"/>
        <source>Due date</source>
        <translation>Fällig am</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="136"/>
        <source>Notify</source>
        <translation>Erinnern</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="142"/>
        <source>Notification time</source>
        <translation>Uhrzeit der Erinnerung</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="206"/>
        <source>Toggle notification</source>
        <translation>Erinnerung ein- oder ausschalten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="207"/>
        <source>Turn off</source>
        <translation>Ausschalten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="207"/>
        <source>Turn on</source>
        <translation>Einschalten</translation>
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
        <location filename="../Velmora/Screens/ChoreView.qml" line="26"/>
        <source>Dates</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="31"/>
        <source>Planned (duration)</source>
        <translation>Geplant (Dauer)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="37"/>
        <source>Passed (duration)</source>
        <translation>Vergangen (Dauer)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="47"/>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="52"/>
        <location filename="../Velmora/Screens/ChoreView.qml" line="84"/>
        <source>Finish</source>
        <translation>Erledigen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="56"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="62"/>
        <location filename="../Velmora/Screens/ChoreView.qml" line="73"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="72"/>
        <source>Delete this chore?</source>
        <translation>Diese Aufgabe löschen?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="83"/>
        <source>Finish this chore?</source>
        <translation>Diese Aufgabe als erledigt markieren?</translation>
    </message>
</context>
<context>
    <name>ChoresView</name>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="37"/>
        <source>No chores</source>
        <translation>Keine Aufgaben</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="49"/>
        <source>Tap %1 to add a chore</source>
        <translation>Tippe auf %1, um eine Aufgabe hinzuzufügen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="105"/>
        <source>Edit</source>
        <translation>Bearbeiten</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="112"/>
        <location filename="../Velmora/Screens/ChoresView.qml" line="147"/>
        <source>Finish</source>
        <translation>Erledigen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="118"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="125"/>
        <location filename="../Velmora/Screens/ChoresView.qml" line="138"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="137"/>
        <source>Delete this chore?</source>
        <translation>Diese Aufgabe löschen?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="146"/>
        <source>Finish this chore?</source>
        <translation>Diese Aufgabe als erledigt markieren?</translation>
    </message>
</context>
<context>
    <name>ContentView</name>
    <message>
        <location filename="../Velmora/App/ContentView.qml" line="33"/>
        <source>TASKARELLO</source>
        <translation>TASKARELLO</translation>
    </message>
    <message>
        <location filename="../Velmora/App/ContentView.qml" line="38"/>
        <source>Journal</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <location filename="../Velmora/App/ContentView.qml" line="44"/>
        <source>Add chore</source>
        <translation>Aufgabe hinzufügen</translation>
    </message>
</context>
<context>
    <name>DetailScreen</name>
    <message>
        <location filename="../Velmora/Screens/DetailScreen.qml" line="58"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>DuePicker</name>
    <message>
        <location filename="../Velmora/Screens/DuePicker.qml" line="44"/>
        <source>Previous month</source>
        <translation>Vorheriger Monat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/DuePicker.qml" line="57"/>
        <source>Next month</source>
        <translation>Nächster Monat</translation>
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
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="26"/>
        <source>Dates</source>
        <translation>Zeitraum</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="31"/>
        <source>Planned (duration)</source>
        <translation>Geplant (Dauer)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="37"/>
        <source>Passed (duration)</source>
        <translation>Vergangen (Dauer)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="47"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="53"/>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="64"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="63"/>
        <source>Delete this chore?</source>
        <translation>Diese Aufgabe löschen?</translation>
    </message>
</context>
<context>
    <name>JournalView</name>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="45"/>
        <source>No logs</source>
        <translation>Noch keine Einträge</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="54"/>
        <source>Finished and repeated chores are added to the journal</source>
        <translation>Erledigte und wiederholte Aufgaben erscheinen im Verlauf</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="124"/>
        <source>Journal</source>
        <translation>Verlauf</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="129"/>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="143"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="149"/>
        <location filename="../Velmora/Screens/JournalView.qml" line="159"/>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="158"/>
        <source>Delete this chore?</source>
        <translation>Diese Aufgabe löschen?</translation>
    </message>
</context>
<context>
    <name>Main</name>
    <message>
        <location filename="../Velmora/App/Main.qml" line="12"/>
        <source>Taskarello</source>
        <translation>Taskarello</translation>
    </message>
</context>
<context>
    <name>NotificationsNoticesView</name>
    <message>
        <location filename="../Velmora/Notifications/NotificationsNoticesView.qml" line="61"/>
        <source>The app requires your permission to send notifications.</source>
        <translation>Die App braucht deine Erlaubnis, um Benachrichtigungen zu senden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/NotificationsNoticesView.qml" line="62"/>
        <source>Allow notifications</source>
        <translation>Benachrichtigungen erlauben</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/NotificationsNoticesView.qml" line="70"/>
        <source>The app doesn&apos;t have permission to send notifications.</source>
        <translation>Die App darf keine Benachrichtigungen senden.</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/NotificationsNoticesView.qml" line="71"/>
        <source>Open notification settings</source>
        <translation>Benachrichtigungseinstellungen öffnen</translation>
    </message>
</context>
<context>
    <name>NotifyRow</name>
    <message>
        <location filename="../Velmora/Screens/NotifyRow.qml" line="9"/>
        <source>Notify</source>
        <translation>Erinnern</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreDates</name>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="101"/>
        <source>overdue</source>
        <translation>überfällig</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="103"/>
        <source>today</source>
        <translation>heute</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="108"/>
        <source>%n days left</source>
        <translation>
            <numerusform>noch %n Tag</numerusform>
            <numerusform>noch %n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="108"/>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="120"/>
        <source>%n days</source>
        <translation>
            <numerusform>%n Tag</numerusform>
            <numerusform>%n Tage</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="111"/>
        <source>%n months left</source>
        <translation>
            <numerusform>noch %n Monat</numerusform>
            <numerusform>noch %n Monate</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="111"/>
        <source>%n months</source>
        <translation>
            <numerusform>%n Monat</numerusform>
            <numerusform>%n Monate</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="113"/>
        <source>years</source>
        <translation>Jahre</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="119"/>
        <source>Same day</source>
        <translation>Am selben Tag</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreEditor</name>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="152"/>
        <source>Update</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="153"/>
        <source>Repeat</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="155"/>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="198"/>
        <source>The chore could not be saved.</source>
        <translation>Die Aufgabe konnte nicht gespeichert werden.</translation>
    </message>
</context>
<context>
    <name>Velmora::NotificationsManager</name>
    <message>
        <location filename="../Velmora/Notifications/NotificationsManager.cpp" line="115"/>
        <source>This chore is due today!</source>
        <translation>Diese Aufgabe ist heute fällig!</translation>
    </message>
</context>
</TS>
