<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>BatchController</name>
    <message numerus="yes">
        <source>Cancelled: %1 of %Ln files renamed.</source>
        <translation>
            <numerusform>Cancelled: %1 of %Ln file renamed.</numerusform>
            <numerusform>Cancelled: %1 of %Ln files renamed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Replace done: %1 of %Ln files renamed.</source>
        <translation>
            <numerusform>Replace done: %1 of %Ln file renamed.</numerusform>
            <numerusform>Replace done: %1 of %Ln files renamed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Rename done: %1 of %Ln files renamed.</source>
        <translation>
            <numerusform>Rename done: %1 of %Ln file renamed.</numerusform>
            <numerusform>Rename done: %1 of %Ln files renamed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo done: %1 of %Ln files back under their old names.</source>
        <translation>
            <numerusform>Undo done: %1 of %Ln file back under its old name.</numerusform>
            <numerusform>Undo done: %1 of %Ln files back under their old names.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BatchWorker</name>
    <message numerus="yes">
        <source>%Ln files could not be renamed:</source>
        <translation>
            <numerusform>%Ln file could not be renamed:</numerusform>
            <numerusform>%Ln files could not be renamed:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>History</name>
    <message numerus="yes">
        <source>%Ln folders in all</source>
        <translation>
            <numerusform>%Ln folder in all</numerusform>
            <numerusform>%Ln folders in all</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PlanReview</name>
    <message numerus="yes">
        <source>%Ln files will be renamed.</source>
        <translation>
            <numerusform>%Ln file will be renamed.</numerusform>
            <numerusform>%Ln files will be renamed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln files in the way will be deleted for good: their volume has no trash.

Continue ?</source>
        <translation>
            <numerusform>%Ln file in the way will be deleted for good: its volume has no trash.

Continue ?</numerusform>
            <numerusform>%Ln files in the way will be deleted for good: their volume has no trash.

Continue ?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Rule</name>
    <message numerus="yes">
        <source>the list has %1 names for %Ln files</source>
        <translation>
            <numerusform>the list has %1 names for %Ln file</numerusform>
            <numerusform>the list has %1 names for %Ln files</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RulesTab</name>
    <message numerus="yes">
        <source>%1 of %Ln files will be renamed.</source>
        <translation>
            <numerusform>%1 of %Ln file will be renamed.</numerusform>
            <numerusform>%1 of %Ln files will be renamed.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Rename %Ln files with these rules?

%1</source>
        <translation>
            <numerusform>Rename %Ln file with these rules?

%1</numerusform>
            <numerusform>Rename %Ln files with these rules?

%1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Undo</name>
    <message numerus="yes">
        <source>%Ln files were left as they are:</source>
        <translation>
            <numerusform>%Ln file was left as it is:</numerusform>
            <numerusform>%Ln files were left as they are:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UndoController</name>
    <message numerus="yes">
        <source>Undo replace in %Ln files</source>
        <translation>
            <numerusform>Undo replace in %Ln file</numerusform>
            <numerusform>Undo replace in %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo rename of %Ln files</source>
        <translation>
            <numerusform>Undo rename of %Ln file</numerusform>
            <numerusform>Undo rename of %Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo the replace made on %1, which renamed %Ln files?</source>
        <translation>
            <numerusform>Undo the replace made on %1, which renamed %Ln file?</numerusform>
            <numerusform>Undo the replace made on %1, which renamed %Ln files?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Undo the rename made on %1, which renamed %Ln files?</source>
        <translation>
            <numerusform>Undo the rename made on %1, which renamed %Ln file?</numerusform>
            <numerusform>Undo the rename made on %1, which renamed %Ln files?</numerusform>
        </translation>
    </message>
</context>
</TS>
