#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace nimbra {

// Two plain text buffers the other pages keep texts in (the last refused
// reply, for instance); never shown by the menu.
class ExtrasPage final : public QWidget {
    Q_OBJECT
public:
    explicit ExtrasPage(QWidget *parent) : QWidget(parent)
    {
        Memo1 = new QPlainTextEdit(this);
        Memo1->setObjectName(QStringLiteral("Memo1"));
        Memo1->setGeometry(5, 5, 400, 330);
        Memo4 = new QPlainTextEdit(this);
        Memo4->setObjectName(QStringLiteral("Memo4"));
        Memo4->setGeometry(5, 345, 400, 330);
    }

    QPlainTextEdit *Memo1 = nullptr;
    QPlainTextEdit *Memo4 = nullptr;
};

} // namespace nimbra
