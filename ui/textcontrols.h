#pragma once

#include <QList>
#include <QString>

class QPlainTextEdit;
class QWidget;

namespace nimbra {

// The text as shown, every character kept: toPlainText() turns no-break
// spaces into blanks.
QString shownText(const QPlainTextEdit *edit);

// Leaves Ctrl+Z and Ctrl+Shift+Z to the window's undo and redo actions in
// every text control under roots (but those under `except`), so that they
// undo the page's steps and not the control's own typing.
void leaveUndoToWindow(const QList<QWidget *> &roots, const QWidget *except = nullptr);

} // namespace nimbra
