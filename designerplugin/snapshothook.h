#pragma once
// A picture of Qt Designer with the package at work, for people checking the plugin by eye and
// for the screenshot script: with KOR_DESIGNER_SNAPSHOT=FILE.png set (off by default), the first
// form Designer opens that holds a grid gets the grid designer opened through the grid's task
// menu; then Designer's window with the design window over it is written to FILE.png and
// Designer quits.

class QDesignerFormEditorInterface;
class QString;

void InstallSnapshotHook(QDesignerFormEditorInterface *Core, const QString &File);
