#include "historypage.h"

#include "formkit.h"
#include "imagebutton.h"
#include "statuslabel.h"

namespace nimbra {

HistoryPage::HistoryPage(QWidget *parent) : QWidget(parent)
{
    caption(this, 10, 5, QStringLiteral("Versões gravadas desta página"));
    LbxHist = new QListWidget(this);
    LbxHist->setObjectName(QStringLiteral("LbxHist"));
    LbxHist->setGeometry(10, 25, 250, 215);
    LbxHist->setFont(arialFont(13));
    btRst = actionButton(this, 270, 25, QStringLiteral("Restaurar"), QStringLiteral("btRst"));
    connect(btRst, &ImageButton::clicked, this, &HistoryPage::restoreClicked);
    Sth = status(this, 270, 50, QStringLiteral("Sth"), 135, 90);
}

void HistoryPage::showVersions(const std::vector<PageHistory::Version> &versions)
{
    m_versions = versions;
    LbxHist->clear();
    for (const PageHistory::Version &v : versions)
        LbxHist->addItem(v.When.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")));
}

std::optional<PageHistory::Version> HistoryPage::picked() const
{
    const int row = LbxHist->currentRow();
    if (row < 0 || row >= int(m_versions.size()))
        return std::nullopt;
    return m_versions[row];
}

} // namespace nimbra
