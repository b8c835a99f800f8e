<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>ActionAlert</name>
    <message>
        <location filename="../Velmora/Screens/ActionAlert.qml" line="59"/>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>ChoreEditorScreen</name>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="20"/>
        <source>Chore</source>
        <translation>Chore</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="36"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="37"/>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="46"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="67"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="80"/>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="94"/>
        <source>Fewer days</source>
        <translation>Fewer days</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="104"/>
        <source>More days</source>
        <translation>More days</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="114"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="120"/>
        <source>Due date</source>
        <translation>Due date</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="136"/>
        <source>Notify</source>
        <translation>Notify</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="142"/>
        <source>Notification time</source>
        <translation>Notification time</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="206"/>
        <source>Toggle notification</source>
        <translation>Toggle notification</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="207"/>
        <source>Turn off</source>
        <translation>Turn off</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="207"/>
        <source>Turn on</source>
        <translation>Turn on</translation>
    </message>
</context>
<context>
    <name>ChoreView</name>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="16"/>
        <source>Chore</source>
        <translation>Chore</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="26"/>
        <source>Dates</source>
        <translation>Dates</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="31"/>
        <source>Planned (duration)</source>
        <translation>Planned (duration)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="37"/>
        <source>Passed (duration)</source>
        <translation>Passed (duration)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="47"/>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="52"/>
        <location filename="../Velmora/Screens/ChoreView.qml" line="84"/>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="56"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="62"/>
        <location filename="../Velmora/Screens/ChoreView.qml" line="73"/>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="72"/>
        <source>Delete this chore?</source>
        <translation>Delete this chore?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="83"/>
        <source>Finish this chore?</source>
        <translation>Finish this chore?</translation>
    </message>
</context>
<context>
    <name>ChoresView</name>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="37"/>
        <source>No chores</source>
        <translation>No chores</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="49"/>
        <source>Tap %1 to add a chore</source>
        <translation>Tap %1 to add a chore</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="105"/>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="112"/>
        <location filename="../Velmora/Screens/ChoresView.qml" line="147"/>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="118"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="125"/>
        <location filename="../Velmora/Screens/ChoresView.qml" line="138"/>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="137"/>
        <source>Delete this chore?</source>
        <translation>Delete this chore?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="146"/>
        <source>Finish this chore?</source>
        <translation>Finish this chore?</translation>
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
        <translation>Journal</translation>
    </message>
    <message>
        <location filename="../Velmora/App/ContentView.qml" line="44"/>
        <source>Add chore</source>
        <translation>Add chore</translation>
    </message>
</context>
<context>
    <name>DetailScreen</name>
    <message>
        <location filename="../Velmora/Screens/DetailScreen.qml" line="58"/>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>DuePicker</name>
    <message>
        <location filename="../Velmora/Screens/DuePicker.qml" line="44"/>
        <source>Previous month</source>
        <translation>Previous month</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/DuePicker.qml" line="57"/>
        <source>Next month</source>
        <translation>Next month</translation>
    </message>
</context>
<context>
    <name>JournalChoreView</name>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="16"/>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="26"/>
        <source>Dates</source>
        <translation>Dates</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="31"/>
        <source>Planned (duration)</source>
        <translation>Planned (duration)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="37"/>
        <source>Passed (duration)</source>
        <translation>Passed (duration)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="47"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="53"/>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="64"/>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="63"/>
        <source>Delete this chore?</source>
        <translation>Delete this chore?</translation>
    </message>
</context>
<context>
    <name>JournalView</name>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="45"/>
        <source>No logs</source>
        <translation>No logs</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="54"/>
        <source>Finished and repeated chores are added to the journal</source>
        <translation>Finished and repeated chores are added to the journal</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="124"/>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="129"/>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="143"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="149"/>
        <location filename="../Velmora/Screens/JournalView.qml" line="159"/>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="158"/>
        <source>Delete this chore?</source>
        <translation>Delete this chore?</translation>
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
        <translation>The app requires your permission to send notifications.</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/NotificationsNoticesView.qml" line="62"/>
        <source>Allow notifications</source>
        <translation>Allow notifications</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/NotificationsNoticesView.qml" line="70"/>
        <source>The app doesn&apos;t have permission to send notifications.</source>
        <translation>The app doesn&apos;t have permission to send notifications.</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/NotificationsNoticesView.qml" line="71"/>
        <source>Open notification settings</source>
        <translation>Open notification settings</translation>
    </message>
</context>
<context>
    <name>NotifyRow</name>
    <message>
        <location filename="../Velmora/Screens/NotifyRow.qml" line="9"/>
        <source>Notify</source>
        <translation>Notify</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreDates</name>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="101"/>
        <source>overdue</source>
        <translation>overdue</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="103"/>
        <source>today</source>
        <translation>today</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="108"/>
        <source>%n days left</source>
        <translation>
            <numerusform>%n day left</numerusform>
            <numerusform>%n days left</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="108"/>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="120"/>
        <source>%n days</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="111"/>
        <source>%n months left</source>
        <translation>
            <numerusform>%n month left</numerusform>
            <numerusform>%n months left</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="111"/>
        <source>%n months</source>
        <translation>
            <numerusform>%n month</numerusform>
            <numerusform>%n months</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="113"/>
        <source>years</source>
        <translation>years</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="119"/>
        <source>Same day</source>
        <translation>Same day</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreEditor</name>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="152"/>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="153"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="155"/>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="198"/>
        <source>The chore could not be saved.</source>
        <translation>The chore could not be saved.</translation>
    </message>
</context>
<context>
    <name>Velmora::NotificationsManager</name>
    <message>
        <location filename="../Velmora/Notifications/NotificationsManager.cpp" line="115"/>
        <source>This chore is due today!</source>
        <translation>This chore is due today!</translation>
    </message>
</context>
</TS>
