#include "textcontrols.h"

#include <QAbstractSpinBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace nimbra {

QString shownText(const QPlainTextEdit *edit)
{
    QString text = edit->document()->toRawText();
    for (QChar &c : text) {
        switch (c.unicode()) {
        case QChar::ParagraphSeparator:
        case QChar::LineSeparator:
        case 0xFDD0:  // frame marks of the document
        case 0xFDD1:
            c = u'\n';
            break;
        default:
            break;
        }
    }
    return text;
}

namespace {

bool isUndoKey(const QKeyEvent *key)
{
    const bool ctrlZ = key->key() == Qt::Key_Z && (key->modifiers() & Qt::ControlModifier);
    return ctrlZ || key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo);
}

// A text control claims its undo keys before any window action sees them;
// declining the claim lets the action have them.
class UndoKeysToWindow final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::ShortcutOverride || !isUndoKey(static_cast<QKeyEvent *>(event)))
            return false;
        event->ignore();
        return true;
    }
};

bool isTextControl(const QWidget *widget)
{
    return qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QPlainTextEdit *>(widget) ||
           qobject_cast<const QTextEdit *>(widget) || qobject_cast<const QAbstractSpinBox *>(widget);
}

} // namespace

void leaveUndoToWindow(const QList<QWidget *> &roots, const QWidget *except)
{
    static auto *filter = new UndoKeysToWindow(QCoreApplication::instance());
    for (QWidget *root : roots) {
        QList<QWidget *> controls = root->findChildren<QWidget *>();
        controls.prepend(root);
        for (QWidget *control : controls) {
            if (isTextControl(control) && !(except && except->isAncestorOf(control)))
                control->installEventFilter(filter);
        }
    }
}

} // namespace nimbra
