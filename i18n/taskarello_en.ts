<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>ActionAlert</name>
    <message>
        <location filename="../Velmora/Screens/ActionAlert.qml" line="11"/>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>BackupMenu</name>
    <message>
        <location filename="../Velmora/Screens/BackupMenu.qml" line="12"/>
        <source>Sync and back up</source>
        <translation>Sync and back up</translation>
    </message>
</context>
<context>
    <name>BackupPopups</name>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="50"/>
        <source>Sync…</source>
        <translation>Sync…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="56"/>
        <source>Household…</source>
        <translation>Household…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="63"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="101"/>
        <source>Back up chores</source>
        <translation>Back up chores</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="74"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="113"/>
        <source>Restore chores</source>
        <translation>Restore chores</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="84"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="122"/>
        <source>Export to calendar</source>
        <translation>Export to calendar</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="105"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="125"/>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="106"/>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="115"/>
        <source>Taskarello backups (*.json)</source>
        <translation>Taskarello backups (*.json)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="115"/>
        <source>All files (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/BackupPopups.qml" line="126"/>
        <source>Calendar files (*.ics)</source>
        <translation>Calendar files (*.ics)</translation>
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
        <translation>Chore</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="53"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="54"/>
        <source>Title</source>
        <translation>Title</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="65"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="149"/>
        <source>Color</source>
        <translation>Color</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Red</source>
        <translation>Red</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Yellow</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Green</source>
        <translation>Green</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Teal</source>
        <translation>Teal</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="82"/>
        <source>Blue</source>
        <translation>Blue</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="83"/>
        <source>Indigo</source>
        <translation>Indigo</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="83"/>
        <source>Purple</source>
        <translation>Purple</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="123"/>
        <source>Other color</source>
        <translation>Other color</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="160"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="203"/>
        <source>Planned (duration)</source>
        <translation>Planned (duration)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="166"/>
        <source>Fewer days</source>
        <translation>Fewer days</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="177"/>
        <source>More days</source>
        <translation>More days</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="188"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="202"/>
        <source>Due date</source>
        <translation>Due date</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="219"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="227"/>
        <source>Comes back</source>
        <translation>Comes back</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="241"/>
        <source>Change how it comes back</source>
        <translation>Change how it comes back</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="666"/>
        <source>Discard your changes?</source>
        <translation>Discard your changes?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Never</source>
        <translation>Never</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Daily</source>
        <translation>Daily</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Weekly</source>
        <translation>Weekly</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Monthly</source>
        <translation>Monthly</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="224"/>
        <source>Yearly</source>
        <translation>Yearly</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="240"/>
        <source>Change</source>
        <translation>Change</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="276"/>
        <source>Repeat every</source>
        <translation>Repeat every</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="327"/>
        <source>On</source>
        <translation>On</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="343"/>
        <source>Weekdays</source>
        <translation>Weekdays</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="389"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="396"/>
        <source>After finishing</source>
        <translation>After finishing</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="407"/>
        <source>The next due day counts from the day the chore is finished.</source>
        <translation>The next due day counts from the day the chore is finished.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="408"/>
        <source>The next due day counts from the due day.</source>
        <translation>The next due day counts from the due day.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="418"/>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="429"/>
        <source>Who</source>
        <translation>Who</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="442"/>
        <source>A repeated run stays with whoever it was for; edit the chore to change who.</source>
        <translation>A repeated run stays with whoever it was for; edit the chore to change who.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="466"/>
        <source>Tick who takes turns; finishing it gives the next time to the one after whose turn it was.</source>
        <translation>Tick who takes turns; finishing it gives the next time to the one after whose turn it was.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="531"/>
        <source>%1 · now</source>
        <translation>%1 · now</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="537"/>
        <source>%1, %2 of %3, whose turn it is</source>
        <translation>%1, %2 of %3, whose turn it is</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="538"/>
        <source>%1, %2 of %3</source>
        <translation>%1, %2 of %3</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="539"/>
        <source>Alt+Up and Alt+Down move it in the order</source>
        <translation>Alt+Up and Alt+Down move it in the order</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="563"/>
        <source>Move %1 up</source>
        <translation>Move %1 up</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="569"/>
        <source>Move %1 down</source>
        <translation>Move %1 down</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="582"/>
        <source>Notify</source>
        <translation>Notify</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="588"/>
        <source>Notification time</source>
        <translation>Notification time</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="593"/>
        <source>Hour</source>
        <translation>Hour</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="605"/>
        <source>Minute</source>
        <translation>Minute</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="613"/>
        <source>Before or after noon</source>
        <translation>Before or after noon</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="625"/>
        <source>Toggle notification</source>
        <translation>Toggle notification</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="628"/>
        <source>Turn off</source>
        <translation>Turn off</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="628"/>
        <source>Turn on</source>
        <translation>Turn on</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditorScreen.qml" line="667"/>
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
</context>
<context>
    <name>ChoreMenu</name>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="49"/>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="56"/>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="63"/>
        <source>Finished by…</source>
        <translation>Finished by…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="70"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreMenu.qml" line="78"/>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
</context>
<context>
    <name>ChoreThumb</name>
    <message>
        <location filename="../Velmora/Screens/ChoreThumb.qml" line="20"/>
        <source>%1&apos;s turn</source>
        <translation>%1&apos;s turn</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreThumb.qml" line="21"/>
        <source>Repeats: %1</source>
        <translation>Repeats: %1</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreThumb.qml" line="22"/>
        <source>Snoozed until %1</source>
        <translation>Snoozed until %1</translation>
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
        <location filename="../Velmora/Screens/ChoreView.qml" line="32"/>
        <source>Dates</source>
        <translation>Dates</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="39"/>
        <source>Repeats</source>
        <translation>Repeats</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="45"/>
        <source>Who</source>
        <translation>Who</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="46"/>
        <source>%1&apos;s turn · %2</source>
        <translation>%1&apos;s turn · %2</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="47"/>
        <source>Anyone</source>
        <translation>Anyone</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="64"/>
        <source>Planned (duration)</source>
        <translation>Planned (duration)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="69"/>
        <source>Passed (duration)</source>
        <translation>Passed (duration)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="79"/>
        <source>Edit</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="84"/>
        <location filename="../Velmora/Screens/ChoreView.qml" line="143"/>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="93"/>
        <source>Finished by…</source>
        <translation>Finished by…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="104"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="111"/>
        <location filename="../Velmora/Screens/ChoreView.qml" line="122"/>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="121"/>
        <source>Delete “%1”?</source>
        <translation>Delete “%1”?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="142"/>
        <source>Finish this chore?</source>
        <translation>Finish this chore?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreView.qml" line="142"/>
        <source>Finished by %1?</source>
        <translation>Finished by %1?</translation>
    </message>
</context>
<context>
    <name>ChoresView</name>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="92"/>
        <source>No chores</source>
        <translation>No chores</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="92"/>
        <source>Nothing for you</source>
        <translation>Nothing for you</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="95"/>
        <location filename="../Velmora/Screens/ChoresView.qml" line="98"/>
        <source>Click %1 or press %2 to add a chore</source>
        <translation>Click %1 or press %2 to add a chore</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="246"/>
        <source>Delete “%1”?</source>
        <translation>Delete “%1”?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="260"/>
        <source>Finished by %1?</source>
        <translation>Finished by %1?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="262"/>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="247"/>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="90"/>
        <source>Only your chores and those for anyone are shown: press %1 to see everyone&apos;s.</source>
        <translation>Only your chores and those for anyone are shown: press %1 to see everyone&apos;s.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoresView.qml" line="261"/>
        <source>Finish this chore?</source>
        <translation>Finish this chore?</translation>
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
        <translation>Showing mine</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="33"/>
        <source>Showing everyone&apos;s</source>
        <translation>Showing everyone&apos;s</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="35"/>
        <source>Show everyone&apos;s chores</source>
        <translation>Show everyone&apos;s chores</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="36"/>
        <source>Show only yours and those for anyone</source>
        <translation>Show only yours and those for anyone</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="41"/>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <location filename="../Velmora/Window/ContentView.qml" line="48"/>
        <source>Add chore</source>
        <translation>Add chore</translation>
    </message>
</context>
<context>
    <name>DetailScreen</name>
    <message>
        <location filename="../Velmora/Screens/DetailScreen.qml" line="54"/>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>DuePicker</name>
    <message>
        <location filename="../Velmora/Screens/DuePicker.qml" line="41"/>
        <source>Previous month</source>
        <translation>Previous month</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/DuePicker.qml" line="55"/>
        <source>Next month</source>
        <translation>Next month</translation>
    </message>
</context>
<context>
    <name>FailureLine</name>
    <message>
        <location filename="../Velmora/Window/FailureLine.qml" line="57"/>
        <source>Dismiss</source>
        <translation>Dismiss</translation>
    </message>
</context>
<context>
    <name>FileDialog</name>
    <message>
        <location filename="../Velmora/Screens/FileDialogFit.cpp" line="14"/>
        <source>File name</source>
        <translation>File name</translation>
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
        <translation>Left and right move between the finishes</translation>
    </message>
</context>
<context>
    <name>HouseholdScreen</name>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="18"/>
        <source>Household</source>
        <translation>Household</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="29"/>
        <source>Everyone who shares these chores. A chore is for anyone, for one member, or taken in turns; finishing one records who did it.</source>
        <translation>Everyone who shares these chores. A chore is for anyone, for one member, or taken in turns; finishing one records who did it.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="31"/>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="37"/>
        <source>Your name on this computer</source>
        <translation>Your name on this computer</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="42"/>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="48"/>
        <source>Reminders only for your chores</source>
        <translation>Reminders only for your chores</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="49"/>
        <source>This computer rings for chores of yours and those for anyone, not for the others&apos; chores.</source>
        <translation>This computer rings for chores of yours and those for anyone, not for the others&apos; chores.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="54"/>
        <source>Members</source>
        <translation>Members</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="87"/>
        <source>%1 (you)</source>
        <translation>%1 (you)</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="97"/>
        <source>%n chores</source>
        <translation>
            <numerusform>%n chore</numerusform>
            <numerusform>%n chores</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="97"/>
        <source>%n finished</source>
        <translation>
            <numerusform>%n finished</numerusform>
            <numerusform>%n finished</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="109"/>
        <source>New name for %1</source>
        <translation>New name for %1</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="136"/>
        <source>Rename %1</source>
        <translation>Rename %1</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="144"/>
        <source>Remove %1</source>
        <translation>Remove %1</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="155"/>
        <source>Add a member, such as a child without a computer</source>
        <translation>Add a member, such as a child without a computer</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="163"/>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="164"/>
        <source>Add a member</source>
        <translation>Add a member</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="170"/>
        <source>Add member</source>
        <translation>Add member</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="182"/>
        <source>Remove %1 from the household?</source>
        <translation>Remove %1 from the household?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="183"/>
        <source>Their chores become anyone&apos;s and they leave every turn order; what they finished stays in the journal.</source>
        <translation>Their chores become anyone&apos;s and they leave every turn order; what they finished stays in the journal.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/HouseholdScreen.qml" line="184"/>
        <source>Remove</source>
        <translation>Remove</translation>
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
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="27"/>
        <source>Dates</source>
        <translation>Dates</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="34"/>
        <source>Finished by</source>
        <translation>Finished by</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="39"/>
        <source>Planned (duration)</source>
        <translation>Planned (duration)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="44"/>
        <source>Passed (duration)</source>
        <translation>Passed (duration)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="55"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="62"/>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="73"/>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalChoreView.qml" line="72"/>
        <source>Delete “%1”?</source>
        <translation>Delete “%1”?</translation>
    </message>
</context>
<context>
    <name>JournalThumb</name>
    <message>
        <location filename="../Velmora/Screens/JournalThumb.qml" line="14"/>
        <source>Finished by %1</source>
        <translation>Finished by %1</translation>
    </message>
</context>
<context>
    <name>JournalView</name>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="56"/>
        <source>No logs</source>
        <translation>No logs</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="57"/>
        <source>Finished and repeated chores are added to the journal</source>
        <translation>Finished and repeated chores are added to the journal</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="42"/>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="46"/>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="170"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="177"/>
        <location filename="../Velmora/Screens/JournalView.qml" line="186"/>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalView.qml" line="185"/>
        <source>Delete “%1”?</source>
        <translation>Delete “%1”?</translation>
    </message>
</context>
<context>
    <name>JournalYear</name>
    <message>
        <location filename="../Velmora/Screens/JournalYear.qml" line="135"/>
        <source>Up and down move by day, left and right by week; Enter shows the day in the journal</source>
        <translation>Up and down move by day, left and right by week; Enter shows the day in the journal</translation>
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
        <translation>No notification service is running, so reminders cannot be shown.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/NotificationsNoticesView.qml" line="91"/>
        <source>Check again</source>
        <translation>Check again</translation>
    </message>
</context>
<context>
    <name>NotifyRow</name>
    <message>
        <location filename="../Velmora/Screens/NotifyRow.qml" line="17"/>
        <source>Notify</source>
        <translation>Notify</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/NotifyRow.qml" line="21"/>
        <source>%1, snoozed until %2</source>
        <extracomment>The reminder&apos;s planned time, then the time a snooze moved it to.</extracomment>
        <translation>%1, snoozed until %2</translation>
    </message>
</context>
<context>
    <name>PrivateFiles</name>
    <message>
        <location filename="../Velmora/Platform/PrivateFiles.cpp" line="67"/>
        <source>%1 is a symbolic link; Taskarello does not follow links where it keeps its files. Remove it and start again.</source>
        <translation>%1 is a symbolic link; Taskarello does not follow links where it keeps its files. Remove it and start again.</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <location filename="../Velmora/Screens/FileDialogFit.cpp" line="15"/>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/FileDialogFit.cpp" line="15"/>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>RipestWidgetIntent</name>
    <message>
        <location filename="../Velmora/App/RipestWidgetIntent.h" line="14"/>
        <source>_nearest-chores-title</source>
        <translation>Nearest chores</translation>
    </message>
</context>
<context>
    <name>SyncAccountScreen</name>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="41"/>
        <source>Sync</source>
        <translation>Sync</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="49"/>
        <source>Keep your chores in the tasks of your calendar account (Nextcloud, Radicale, Fastmail and others), and so on your other devices.</source>
        <translation>Keep your chores in the tasks of your calendar account (Nextcloud, Radicale, Fastmail and others), and so on your other devices.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="53"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="63"/>
        <source>Server address</source>
        <translation>Server address</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="68"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="75"/>
        <source>User name</source>
        <translation>User name</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="81"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="88"/>
        <source>App password</source>
        <translation>App password</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="96"/>
        <source>The password is kept in the desktop&apos;s Secret Service, never in a file.</source>
        <translation>The password is kept in the desktop&apos;s Secret Service, never in a file.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="128"/>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="137"/>
        <source>Which calendar holds your chores?</source>
        <translation>Which calendar holds your chores?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="138"/>
        <source>The account has no calendar for tasks yet.</source>
        <translation>The account has no calendar for tasks yet.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="161"/>
        <source>New calendar “%1”</source>
        <translation>New calendar “%1”</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="161"/>
        <source>Chores</source>
        <translation>Chores</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="168"/>
        <source>Or the address of a calendar shared with you</source>
        <translation>Or the address of a calendar shared with you</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="184"/>
        <source>Address of a calendar shared with you</source>
        <translation>Address of a calendar shared with you</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="191"/>
        <source>Use the calendar at this address</source>
        <translation>Use the calendar at this address</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="200"/>
        <source>Server</source>
        <translation>Server</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="203"/>
        <source>Not encrypted</source>
        <translation>Not encrypted</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="208"/>
        <source>User</source>
        <translation>User</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="214"/>
        <source>Calendar</source>
        <translation>Calendar</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="269"/>
        <source>Looking for calendars…</source>
        <translation>Looking for calendars…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="269"/>
        <source>Connecting…</source>
        <translation>Connecting…</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="276"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="282"/>
        <source>Your name in the household</source>
        <translation>Your name in the household</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="291"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="299"/>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="307"/>
        <source>Back</source>
        <translation>Back</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="315"/>
        <source>Sync now</source>
        <translation>Sync now</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="322"/>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="332"/>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="330"/>
        <source>Disconnect this account?</source>
        <translation>Disconnect this account?</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/SyncAccountScreen.qml" line="331"/>
        <source>Your chores stay on this computer and in the calendar on the server; they are no longer synced, and the password is removed from the keyring.</source>
        <translation>Your chores stay on this computer and in the calendar on the server; they are no longer synced, and the password is removed from the keyring.</translation>
    </message>
</context>
<context>
    <name>Tile</name>
    <message>
        <location filename="../Velmora/Screens/Tile.qml" line="28"/>
        <source>%1, %2, due %3</source>
        <translation>%1, %2, due %3</translation>
    </message>
</context>
<context>
    <name>Velmora::ApplicationBus</name>
    <message>
        <location filename="../Velmora/Platform/ApplicationBus.cpp" line="149"/>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="148"/>
        <source>Taskarello is already running but does not answer.</source>
        <translation>Taskarello is already running but does not answer.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/ApplicationBus.cpp" line="156"/>
        <source>This Taskarello cannot run &quot;%1&quot;.</source>
        <translation>This Taskarello cannot run &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>Velmora::BackupService</name>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="48"/>
        <source>The chore store is not open, so nothing was backed up.</source>
        <translation>The chore store is not open, so nothing was backed up.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="51"/>
        <source>Backups can only be written to a local file.</source>
        <translation>Backups can only be written to a local file.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/BackupService.cpp" line="58"/>
        <source>Backed up %n chore(s).</source>
        <translation>
            <numerusform>Backed up %n chore.</numerusform>
            <numerusform>Backed up %n chores.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="64"/>
        <source>The chore store is not open, so nothing was restored.</source>
        <translation>The chore store is not open, so nothing was restored.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="67"/>
        <source>Backups can only be read from a local file.</source>
        <translation>Backups can only be read from a local file.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="79"/>
        <source>The chore store is not open, so no calendar was written.</source>
        <translation>The chore store is not open, so no calendar was written.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="86"/>
        <source>The chores could not be read from the store, so no calendar was written.</source>
        <translation>The chores could not be read from the store, so no calendar was written.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="101"/>
        <source>Taskarello backup %1.json</source>
        <extracomment>The file name a backup is offered under; %1 is today as 2026-12-08.</extracomment>
        <translation>Taskarello backup %1.json</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="107"/>
        <source>Taskarello chores %1.ics</source>
        <extracomment>The file name the calendar export is offered under; %1 is today as 2026-12-08.</extracomment>
        <translation>Taskarello chores %1.ics</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/BackupService.cpp" line="82"/>
        <source>Calendars can only be written to a local file.</source>
        <translation>Calendars can only be written to a local file.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/BackupService.cpp" line="89"/>
        <source>Exported %n chore(s) to the calendar file.</source>
        <translation>
            <numerusform>Exported %n chore to the calendar file.</numerusform>
            <numerusform>Exported %n chores to the calendar file.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Velmora::CalendarExport</name>
    <message>
        <location filename="../Velmora/Model/CalendarExport.cpp" line="51"/>
        <source>Taskarello chores</source>
        <translation>Taskarello chores</translation>
    </message>
</context>
<context>
    <name>Velmora::Chore</name>
    <message>
        <location filename="../Velmora/Model/Chore.cpp" line="14"/>
        <source>Untitled chore</source>
        <translation>Untitled chore</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreBackup</name>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="362"/>
        <source>There are more than %1 chores, more than a backup can hold.</source>
        <translation>There are more than %1 chores, more than a backup can hold.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="367"/>
        <source>Chore &quot;%1&quot; has a title longer than %2 characters, too long for a backup.</source>
        <translation>Chore &quot;%1&quot; has a title longer than %2 characters, too long for a backup.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="371"/>
        <source>Chore &quot;%1&quot; has a date outside the years 1 to 9999, which a backup cannot hold.</source>
        <translation>Chore &quot;%1&quot; has a date outside the years 1 to 9999, which a backup cannot hold.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="377"/>
        <source>Chore &quot;%1&quot; repeats by a rule too long for a backup.</source>
        <translation>Chore &quot;%1&quot; repeats by a rule too long for a backup.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="393"/>
        <source>The backup would be larger than %1 MB.</source>
        <translation>The backup would be larger than %1 MB.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="440"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="568"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="575"/>
        <source>The file is larger than %1 MB, too large to be a backup.</source>
        <translation>The file is larger than %1 MB, too large to be a backup.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="444"/>
        <source>The file is not a Taskarello backup: it is not readable JSON.</source>
        <translation>The file is not a Taskarello backup: it is not readable JSON.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="447"/>
        <source>The file is not a Taskarello backup.</source>
        <translation>The file is not a Taskarello backup.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="450"/>
        <source>The backup has no schema version this app knows.</source>
        <translation>The backup has no schema version this app knows.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="453"/>
        <source>The backup comes from a newer version of Taskarello (schema %1) and cannot be restored.</source>
        <translation>The backup comes from a newer version of Taskarello (schema %1) and cannot be restored.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="457"/>
        <source>The backup has no list of chores.</source>
        <translation>The backup has no list of chores.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="461"/>
        <source>The backup&apos;s list of members is not a list of names.</source>
        <translation>The backup&apos;s list of members is not a list of names.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="463"/>
        <source>The backup holds %1 chores, more than the %2 a backup may hold.</source>
        <translation>The backup holds %1 chores, more than the %2 a backup may hold.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="474"/>
        <source>Chore %1 in the backup is not a chore record.</source>
        <translation>Chore %1 in the backup is not a chore record.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="478"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="483"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="488"/>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="491"/>
        <source>Chore %1 in the backup has a missing or invalid &quot;%2&quot;.</source>
        <translation>Chore %1 in the backup has a missing or invalid &quot;%2&quot;.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="480"/>
        <source>Chore %1 in the backup has a title longer than %2 characters.</source>
        <translation>Chore %1 in the backup has a title longer than %2 characters.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="506"/>
        <source>The chore store is not open, so nothing was restored.</source>
        <translation>The chore store is not open, so nothing was restored.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="545"/>
        <source>The chores could not be saved, so nothing was restored.</source>
        <translation>The chores could not be saved, so nothing was restored.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="415"/>
        <source>The chores could not be read from the store, so nothing was backed up.</source>
        <translation>The chores could not be read from the store, so nothing was backed up.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="515"/>
        <source>The chores could not be read from the store, so nothing was restored.</source>
        <translation>The chores could not be read from the store, so nothing was restored.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="550"/>
        <source>The backup holds no chores.</source>
        <translation>The backup holds no chores.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="552"/>
        <source>Every chore in the backup is already here.</source>
        <translation>Every chore in the backup is already here.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="554"/>
        <source>Restored %n chore(s).</source>
        <translation>
            <numerusform>Restored %n chore.</numerusform>
            <numerusform>Restored %n chores.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="556"/>
        <source>Restored %n chore(s); the others were already here.</source>
        <translation>
            <numerusform>Restored %n chore; the others were already here.</numerusform>
            <numerusform>Restored %n chores; the others were already here.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="564"/>
        <source>The file %1 does not exist.</source>
        <translation>The file %1 does not exist.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="566"/>
        <source>%1 is not a file.</source>
        <translation>%1 is not a file.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="571"/>
        <source>The file could not be opened: %1.</source>
        <translation>The file could not be opened: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="583"/>
        <source>%1 is a symbolic link; nothing was written through it. Choose another file.</source>
        <translation>%1 is a symbolic link; nothing was written through it. Choose another file.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreBackup.cpp" line="590"/>
        <source>The file could not be written: %1.</source>
        <translation>The file could not be written: %1.</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreChanges</name>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="79"/>
        <source>the disk is full</source>
        <translation>the disk is full</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="80"/>
        <source>its file may only be read</source>
        <translation>its file may only be read</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="81"/>
        <source>the disk could not be written to</source>
        <translation>the disk could not be written to</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="82"/>
        <source>its file is damaged</source>
        <translation>its file is damaged</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="83"/>
        <source>another program is using its file, try again</source>
        <translation>another program is using its file, try again</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="84"/>
        <source>it is no longer stored</source>
        <translation>it is no longer stored</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="94"/>
        <source>The chore could not be saved.</source>
        <translation>The chore could not be saved.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="94"/>
        <source>The chore could not be saved: %1.</source>
        <translation>The chore could not be saved: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="97"/>
        <source>The chore could not be repeated.</source>
        <translation>The chore could not be repeated.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="97"/>
        <source>The chore could not be repeated: %1.</source>
        <translation>The chore could not be repeated: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="100"/>
        <source>The chore could not be finished.</source>
        <translation>The chore could not be finished.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="100"/>
        <source>The chore could not be finished: %1.</source>
        <translation>The chore could not be finished: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="103"/>
        <source>The chore could not be deleted.</source>
        <translation>The chore could not be deleted.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="103"/>
        <source>The chore could not be deleted: %1.</source>
        <translation>The chore could not be deleted: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="106"/>
        <source>The member could not be added.</source>
        <translation>The member could not be added.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="106"/>
        <source>The member could not be added: %1.</source>
        <translation>The member could not be added: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="109"/>
        <source>The member could not be renamed.</source>
        <translation>The member could not be renamed.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="109"/>
        <source>The member could not be renamed: %1.</source>
        <translation>The member could not be renamed: %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="112"/>
        <source>The member could not be removed.</source>
        <translation>The member could not be removed.</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreChanges.cpp" line="112"/>
        <source>The member could not be removed: %1.</source>
        <translation>The member could not be removed: %1.</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreDates</name>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="115"/>
        <source>overdue</source>
        <translation>overdue</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="117"/>
        <source>today</source>
        <translation>today</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="122"/>
        <source>%n days left</source>
        <translation>
            <numerusform>%n day left</numerusform>
            <numerusform>%n days left</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="122"/>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="134"/>
        <source>%n days</source>
        <translation>
            <numerusform>%n day</numerusform>
            <numerusform>%n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="125"/>
        <source>%n months left</source>
        <translation>
            <numerusform>%n month left</numerusform>
            <numerusform>%n months left</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/ChoreDates.cpp" line="125"/>
        <source>%n months</source>
        <translation>
            <numerusform>%n month</numerusform>
            <numerusform>%n months</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="127"/>
        <source>years</source>
        <translation>years</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="133"/>
        <source>Same day</source>
        <translation>Same day</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/ChoreDates.cpp" line="139"/>
        <source>This chore is due today!</source>
        <translation>This chore is due today!</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreEditor</name>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="188"/>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="189"/>
        <source>Repeat</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="191"/>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="280"/>
        <source>Finished today, it comes back on %1.</source>
        <translation>Finished today, it comes back on %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="282"/>
        <source>Finished today, it does not come back: its rule has ended.</source>
        <translation>Finished today, it does not come back: its rule has ended.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="386"/>
        <source>Anyone</source>
        <translation>Anyone</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="388"/>
        <source>Taking turns</source>
        <translation>Taking turns</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreEditor.cpp" line="514"/>
        <source>The chore could not be saved.</source>
        <translation>The chore could not be saved.</translation>
    </message>
</context>
<context>
    <name>Velmora::ChoreHistory</name>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="26"/>
        <source>every %n months</source>
        <translation>
            <numerusform>monthly</numerusform>
            <numerusform>every %n months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="27"/>
        <source>every %n years</source>
        <translation>
            <numerusform>yearly</numerusform>
            <numerusform>every %n years</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="64"/>
        <source>Done on time the last time</source>
        <translation>Done on time the last time</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="64"/>
        <source>Done late the last time</source>
        <translation>Done late the last time</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="65"/>
        <source>Done %1 of the last %n on time</source>
        <translation>
            <numerusform>Done %1 of the last %n on time</numerusform>
            <numerusform>Done %1 of the last %n on time</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="70"/>
        <source>%1, on average every %n days</source>
        <translation>
            <numerusform>%1, on average every day</numerusform>
            <numerusform>%1, on average every %n days</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="72"/>
        <source>%1 (planned: %2)</source>
        <translation>%1 (planned: %2)</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="118"/>
        <source>Finished by %1 on %2, on time</source>
        <translation>Finished by %1 on %2, on time</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="119"/>
        <source>Finished by %1 on %2, %n days late</source>
        <translation>
            <numerusform>Finished by %1 on %2, %n day late</numerusform>
            <numerusform>Finished by %1 on %2, %n days late</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="121"/>
        <source>Finished %1, on time</source>
        <translation>Finished %1, on time</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/ChoreHistory.cpp" line="121"/>
        <source>Finished %1, %n days late</source>
        <translation>
            <numerusform>Finished %1, %n day late</numerusform>
            <numerusform>Finished %1, %n days late</numerusform>
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
            <numerusform>This month: %n</numerusform>
            <numerusform>This month: %n</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="289"/>
        <source>last month: %n</source>
        <translation>
            <numerusform>last month: %n</numerusform>
            <numerusform>last month: %n</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="302"/>
        <source>Nothing finished on %1</source>
        <translation>Nothing finished on %1</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="310"/>
        <source>%1 · %n finished</source>
        <extracomment>A day of the journal&apos;s calendar in full, then how many chores were finished on it.</extracomment>
        <translation>
            <numerusform>%1 · %n finished</numerusform>
            <numerusform>%1 · %n finished</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="310"/>
        <source>%1 · nothing finished</source>
        <translation>%1 · nothing finished</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="316"/>
        <source>%n chores finished on %1</source>
        <translation>
            <numerusform>%n chore finished on %1</numerusform>
            <numerusform>%n chores finished on %1</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/JournalCalendar.cpp" line="317"/>
        <source>No chores finished on %1</source>
        <translation>No chores finished on %1</translation>
    </message>
</context>
<context>
    <name>Velmora::PasswordStore</name>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="62"/>
        <source>Waiting for the keyring to be unlocked</source>
        <translation>Waiting for the keyring to be unlocked</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="77"/>
        <source>The password is not in the Secret Service; disconnect and connect the account again.</source>
        <translation>The password is not in the Secret Service; disconnect and connect the account again.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="84"/>
        <source>The Secret Service refused access to the password.</source>
        <translation>The Secret Service refused access to the password.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="90"/>
        <source>No Secret Service is reachable, so the password cannot be read.</source>
        <translation>No Secret Service is reachable, so the password cannot be read.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="92"/>
        <source>No Secret Service is reachable, so the password was not saved.</source>
        <translation>No Secret Service is reachable, so the password was not saved.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="94"/>
        <source>The password could not be removed from the Secret Service.</source>
        <translation>The password could not be removed from the Secret Service.</translation>
    </message>
    <message>
        <location filename="../Velmora/Platform/PasswordStore.cpp" line="124"/>
        <source>The keyring stayed locked, so the password cannot be read.</source>
        <translation>The keyring stayed locked, so the password cannot be read.</translation>
    </message>
</context>
<context>
    <name>Velmora::Recurrence</name>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="171"/>
        <source>%n day(s) after finishing</source>
        <translation>
            <numerusform>%n day after finishing</numerusform>
            <numerusform>%n days after finishing</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="172"/>
        <source>%n week(s) after finishing</source>
        <translation>
            <numerusform>%n week after finishing</numerusform>
            <numerusform>%n weeks after finishing</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="173"/>
        <source>%n month(s) after finishing</source>
        <translation>
            <numerusform>%n month after finishing</numerusform>
            <numerusform>%n months after finishing</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="174"/>
        <source>%n year(s) after finishing</source>
        <translation>
            <numerusform>%n year after finishing</numerusform>
            <numerusform>%n years after finishing</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="175"/>
        <source>%n hour(s) after finishing</source>
        <translation>
            <numerusform>%n hour after finishing</numerusform>
            <numerusform>%n hours after finishing</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="180"/>
        <source>Every %n day(s)</source>
        <translation>
            <numerusform>Every day</numerusform>
            <numerusform>Every %n days</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="181"/>
        <source>Every %n week(s)</source>
        <translation>
            <numerusform>Every week</numerusform>
            <numerusform>Every %n weeks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="182"/>
        <source>Every %n month(s)</source>
        <translation>
            <numerusform>Every month</numerusform>
            <numerusform>Every %n months</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="183"/>
        <source>Every %n year(s)</source>
        <translation>
            <numerusform>Every year</numerusform>
            <numerusform>Every %n years</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="184"/>
        <source>Every %n hour(s)</source>
        <translation>
            <numerusform>Every hour</numerusform>
            <numerusform>Every %n hours</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/Recurrence.cpp" line="561"/>
        <source>Repeats (rule not supported)</source>
        <translation>Repeats (rule not supported)</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/Recurrence.cpp" line="567"/>
        <source>%1 on %2</source>
        <translation>%1 on %2</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Model/Recurrence.cpp" line="572"/>
        <source>%1, %n time(s) in all</source>
        <translation>
            <numerusform>%1, once in all</numerusform>
            <numerusform>%1, %n times in all</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Model/Recurrence.cpp" line="574"/>
        <source>%1, until %2</source>
        <translation>%1, until %2</translation>
    </message>
    <message>
        <location filename="../Velmora/Model/Recurrence.cpp" line="580"/>
        <source>%1, with further rules</source>
        <translation>%1, with further rules</translation>
    </message>
</context>
<context>
    <name>Velmora::Reminders</name>
    <message>
        <location filename="../Velmora/Notifications/Reminders.cpp" line="59"/>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/Reminders.cpp" line="59"/>
        <source>Finish</source>
        <translation>Finish</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/Reminders.cpp" line="60"/>
        <source>Snooze for an hour</source>
        <translation>Snooze for an hour</translation>
    </message>
    <message>
        <location filename="../Velmora/Notifications/Reminders.cpp" line="191"/>
        <source>The snooze could not be saved: it rings again in an hour only if Taskarello keeps running.</source>
        <translation>The snooze could not be saved: it rings again in an hour only if Taskarello keeps running.</translation>
    </message>
</context>
<context>
    <name>Velmora::ScreenTexts</name>
    <message>
        <location filename="../Velmora/Screens/ScreenTexts.cpp" line="77"/>
        <source>%1 · due %2</source>
        <translation>%1 · due %2</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ScreenTexts.h" line="66"/>
        <source>Puts this time in the journal and starts the chore again today, once. Edit it to have it come back by itself.</source>
        <translation>Puts this time in the journal and starts the chore again today, once. Edit it to have it come back by itself.</translation>
    </message>
    <message>
        <location filename="../Velmora/Screens/ScreenTexts.h" line="67"/>
        <source>Starts this chore again today, once. Edit the new one to have it come back by itself.</source>
        <translation>Starts this chore again today, once. Edit the new one to have it come back by itself.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync</name>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="557"/>
        <source>The task is larger than 1 MB.</source>
        <translation>The task is larger than 1 MB.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="561"/>
        <source>The server sent a web page instead of a task.</source>
        <translation>The server sent a web page instead of a task.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="565"/>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="574"/>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="602"/>
        <source>The task is not valid iCalendar.</source>
        <translation>The task is not valid iCalendar.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="740"/>
        <source>The task has no UID.</source>
        <translation>The task has no UID.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="750"/>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="790"/>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="804"/>
        <source>The task&apos;s dates are out of range.</source>
        <translation>The task&apos;s dates are out of range.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="771"/>
        <source>The task&apos;s repeat rules are larger than 64 KB.</source>
        <translation>The task&apos;s repeat rules are larger than 64 KB.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="1082"/>
        <source>The chore has no usable UID.</source>
        <translation>The chore has no usable UID.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="1084"/>
        <source>The time zone is unknown.</source>
        <translation>The time zone is unknown.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="1087"/>
        <source>The chore&apos;s dates are out of range.</source>
        <translation>The chore&apos;s dates are out of range.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::CalDavClient</name>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="382"/>
        <source>The server&apos;s answer was too large to accept.</source>
        <translation>The server&apos;s answer was too large to accept.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="384"/>
        <source>The server took more than %n second(s) to answer; the request was stopped.</source>
        <translation>
            <numerusform>The server took more than %n second to answer; the request was stopped.</numerusform>
            <numerusform>The server took more than %n seconds to answer; the request was stopped.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="387"/>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="397"/>
        <source>The server did not answer in time.</source>
        <translation>The server did not answer in time.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="391"/>
        <source>The server&apos;s answer could not be read.</source>
        <translation>The server&apos;s answer could not be read.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="395"/>
        <source>The server&apos;s certificate could not be verified.</source>
        <translation>The server&apos;s certificate could not be verified.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="399"/>
        <source>The connection to the server was lost.</source>
        <translation>The connection to the server was lost.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="401"/>
        <source>The server could not be reached.</source>
        <translation>The server could not be reached.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="408"/>
        <source>The server refused the user name or password.</source>
        <translation>The server refused the user name or password.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="410"/>
        <source>The server does not allow this for this account.</source>
        <translation>The server does not allow this for this account.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="413"/>
        <source>The calendar or task was not found on the server.</source>
        <translation>The calendar or task was not found on the server.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="415"/>
        <source>The task was changed on the server meanwhile.</source>
        <translation>The task was changed on the server meanwhile.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="420"/>
        <source>The server is busy; it asks to wait %n minute(s).</source>
        <translation>
            <numerusform>The server is busy; it asks to wait %n minute.</numerusform>
            <numerusform>The server is busy; it asks to wait %n minutes.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="426"/>
        <source>The address leads to a web page, not to a CalDAV server.</source>
        <translation>The address leads to a web page, not to a CalDAV server.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="427"/>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="590"/>
        <source>The server reported error %1.</source>
        <translation>The server reported error %1.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="336"/>
        <source>The address does not lead to a CalDAV server.</source>
        <translation>The address does not lead to a CalDAV server.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="118"/>
        <source>The server did not let this account change the calendar; it may be shared with you to read only.</source>
        <translation>The server did not let this account change the calendar; it may be shared with you to read only.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="348"/>
        <source>The server&apos;s answer broke off as XML at line %1; nothing of it was taken.</source>
        <translation>The server&apos;s answer broke off as XML at line %1; nothing of it was taken.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="373"/>
        <source>The server pointed to an address without encryption, %1; nothing was sent there.</source>
        <translation>The server pointed to an address without encryption, %1; nothing was sent there.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="374"/>
        <source>The server pointed to another address, %1; the password was not sent there.</source>
        <translation>The server pointed to another address, %1; the password was not sent there.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="379"/>
        <source>The server sent a change on to another address, %1; it was not sent again.</source>
        <translation>The server sent a change on to another address, %1; it was not sent again.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="445"/>
        <source>Setting up the account took longer than %n second(s) and was stopped.</source>
        <translation>
            <numerusform>Setting up the account took longer than %n second and was stopped.</numerusform>
            <numerusform>Setting up the account took longer than %n seconds and was stopped.</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/CalDavClient.cpp" line="635"/>
        <source>The server asked for a full resync.</source>
        <translation>The server asked for a full resync.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::SyncAccount</name>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="72"/>
        <source>The calendar&apos;s address is not encrypted; connect the account again.</source>
        <translation>The calendar&apos;s address is not encrypted; connect the account again.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="155"/>
        <source>%1 (read only)</source>
        <translation>%1 (read only)</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="185"/>
        <source>Not set up</source>
        <translation>Not set up</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="187"/>
        <source>Syncing…</source>
        <translation>Syncing…</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="191"/>
        <source>Not synced yet</source>
        <translation>Not synced yet</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="197"/>
        <source>Synced just now</source>
        <translation>Synced just now</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="199"/>
        <source>Synced %n minute(s) ago</source>
        <translation>
            <numerusform>Synced %n minute ago</numerusform>
            <numerusform>Synced %n minutes ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="201"/>
        <source>Synced %n hour(s) ago</source>
        <translation>
            <numerusform>Synced %n hour ago</numerusform>
            <numerusform>Synced %n hours ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="202"/>
        <source>Synced %n day(s) ago</source>
        <translation>
            <numerusform>Synced %n day ago</numerusform>
            <numerusform>Synced %n days ago</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="211"/>
        <source>%n task(s) without a due day not shown</source>
        <translation>
            <numerusform>%n task without a due day not shown</numerusform>
            <numerusform>%n tasks without a due day not shown</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="213"/>
        <source>%n other item(s) not shown</source>
        <translation>
            <numerusform>%n other item not shown</numerusform>
            <numerusform>%n other items not shown</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="215"/>
        <source>%n task(s) could not be read</source>
        <translation>
            <numerusform>%n task could not be read</numerusform>
            <numerusform>%n tasks could not be read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="218"/>
        <source>%n field(s) changed on two devices: the later change kept</source>
        <translation>
            <numerusform>%n field changed on two devices: the later change kept</numerusform>
            <numerusform>%n fields changed on two devices: the later changes kept</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="221"/>
        <source>%n item(s) outside the calendar ignored</source>
        <translation>
            <numerusform>%n item outside the calendar ignored</numerusform>
            <numerusform>%n items outside the calendar ignored</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="224"/>
        <source>%n member name(s) from the server cleaned</source>
        <translation>
            <numerusform>%n member name from the server cleaned</numerusform>
            <numerusform>%n member names from the server cleaned</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="226"/>
        <source>%n task(s) not taken in: the app holds at most %1 chores</source>
        <translation>
            <numerusform>%n task not taken in: the app holds at most %1 chores</numerusform>
            <numerusform>%n tasks not taken in: the app holds at most %1 chores</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="317"/>
        <source>The account is being set up already.</source>
        <translation>The account is being set up already.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="320"/>
        <source>Enter the server address, such as https://cloud.example.org/remote.php/dav.</source>
        <translation>Enter the server address, such as https://cloud.example.org/remote.php/dav.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="322"/>
        <source>Enter the user name.</source>
        <translation>Enter the user name.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="324"/>
        <source>Enter the password.</source>
        <translation>Enter the password.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="327"/>
        <source>%1 is not encrypted, so the password would be readable on the network; give --allow-http to connect all the same.</source>
        <translation>%1 is not encrypted, so the password would be readable on the network; give --allow-http to connect all the same.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="330"/>
        <source>Connect without encryption? The password will be readable on the network.</source>
        <translation>Connect without encryption? The password will be readable on the network.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="347"/>
        <source>The server sends you on to another address. Connect there? Your password will be sent to it.</source>
        <translation>The server sends you on to another address. Connect there? Your password will be sent to it.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="373"/>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="422"/>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="687"/>
        <source>Chores</source>
        <translation>Chores</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="383"/>
        <source>Enter the calendar&apos;s whole address, such as https://cloud.example.org/remote.php/dav/calendars/alice/chores/.</source>
        <translation>Enter the calendar&apos;s whole address, such as https://cloud.example.org/remote.php/dav/calendars/alice/chores/.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="399"/>
        <source>The calendar %1 is not on the account&apos;s server %2; the password was not sent there.</source>
        <translation>The calendar %1 is not on the account&apos;s server %2; the password was not sent there.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="412"/>
        <source>The server does not let this account read the calendar at %1; ask its owner to share it with you.</source>
        <translation>The server does not let this account read the calendar at %1; ask its owner to share it with you.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="430"/>
        <source>The server offers no place for a new calendar.</source>
        <translation>The server offers no place for a new calendar.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="455"/>
        <source>“%1” is shared with you to read only, so chores finished here could not reach it; choose a calendar you may change.</source>
        <translation>“%1” is shared with you to read only, so chores finished here could not reach it; choose a calendar you may change.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="497"/>
        <source>The account could not be written to the settings file.</source>
        <translation>The account could not be written to the settings file.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="524"/>
        <source>Replace the connected account? Your chores will sync with the account at this address instead, once you give its password.</source>
        <translation>Replace the connected account? Your chores will sync with the account at this address instead, once you give its password.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="574"/>
        <source>%1 (and %n more)</source>
        <translation>
            <numerusform>%1 (and %n more)</numerusform>
            <numerusform>%1 (and %n more)</numerusform>
        </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="627"/>
        <source>No sync account is set up: connect one first with --sync-account.</source>
        <translation>No sync account is set up: connect one first with --sync-account.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="650"/>
        <source>Synced: %1 sent, %2 received.</source>
        <translation>Synced: %1 sent, %2 received.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncAccount.cpp" line="415"/>
        <source>The server %1 has no calendar for tasks at %2.</source>
        <translation>The server %1 has no calendar for tasks at %2.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::SyncCommands</name>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="88"/>
        <source>Give the user name after the server address.</source>
        <translation>Give the user name after the server address.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="106"/>
        <source>Password: </source>
        <translation>Password: </translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="114"/>
        <source>Unknown action &quot;%1&quot;.</source>
        <translation>Unknown action &quot;%1&quot;.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="121"/>
        <source>An account is not set up over the bus, where its password would travel: connect it in Taskarello&apos;s window.</source>
        <translation>An account is not set up over the bus, where its password would travel: connect it in Taskarello&apos;s window.</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncCommands.cpp" line="149"/>
        <source>Taskarello is already running: its account screen was opened with the address filled in. Give the password there.</source>
        <translation>Taskarello is already running: its account screen was opened with the address filled in. Give the password there.</translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::SyncEngine</name>
    <message>
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="52"/>
        <source>The chores could not be written here: %1</source>
        <translation>The chores could not be written here: %1</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="138"/>
        <source>“%1” was not synced: %2</source>
        <translation>“%1” was not synced: %2</translation>
    </message>
    <message>
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="161"/>
        <source>Sync is not set up.</source>
        <translation>Sync is not set up.</translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="171"/>
        <source>The sync took longer than %n minute(s) and was stopped; it goes on at the next sync.</source>
        <translation>
            <numerusform>The sync took longer than %n minute and was stopped; it goes on at the next sync.</numerusform>
            <numerusform>The sync took longer than %n minutes and was stopped; it goes on at the next sync.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="383"/>
        <source>The calendar on the server suddenly holds none of the %n chore(s); nothing was deleted here.</source>
        <translation>
            <numerusform>The calendar on the server suddenly holds none of the %n chore; nothing was deleted here.</numerusform>
            <numerusform>The calendar on the server suddenly holds none of the %n chores; nothing was deleted here.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../Velmora/Sync/SyncEngine.cpp" line="474"/>
        <source>The server kept answering that more changes follow; the sync stopped after %n pass(es).</source>
        <translation>
            <numerusform>The server kept answering that more changes follow; the sync stopped after %n pass.</numerusform>
            <numerusform>The server kept answering that more changes follow; the sync stopped after %n passes.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Velmora::Sync::VTodoCodec</name>
    <message>
        <location filename="../Velmora/Sync/VTodoCodec.cpp" line="1286"/>
        <source>The chore is larger than 1 MB.</source>
        <translation>The chore is larger than 1 MB.</translation>
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
        <translation>Chores that fall due on a day</translation>
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
        <translation>Open Taskarello</translation>
    </message>
    <message>
        <location filename="../Velmora/App/Tray.cpp" line="41"/>
        <source>Quit</source>
        <translation>Quit</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../Velmora/App/Launcher.cpp" line="130"/>
        <location filename="../Velmora/App/Launcher.cpp" line="141"/>
        <source>Taskarello is already running but does not answer.</source>
        <translation>Taskarello is already running but does not answer.</translation>
    </message>
    <message>
        <location filename="../Velmora/App/Launcher.cpp" line="243"/>
        <source>Taskarello is already running: another of its processes holds %1. Quit that one (Quit in its tray menu) or end it, then start again.</source>
        <translation>Taskarello is already running: another of its processes holds %1. Quit that one (Quit in its tray menu) or end it, then start again.</translation>
    </message>
</context>
</TS>
