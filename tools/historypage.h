#pragma once

#include "pagehistory.h"

#include <QListWidget>
#include <QWidget>

namespace nimbra {

class ImageButton;
class StatusLabel;

// The inner page shown when no form is: the versions of the open page that
// the adventure's folder keeps, newest first, and the way back to one.
class HistoryPage final : public QWidget {
    Q_OBJECT
public:
    explicit HistoryPage(QWidget *parent);

    void showVersions(const std::vector<PageHistory::Version> &versions);
    // The version picked, if any.
    std::optional<PageHistory::Version> picked() const;

    QListWidget *LbxHist = nullptr;
    ImageButton *btRst = nullptr;
    StatusLabel *Sth = nullptr;

signals:
    void restoreClicked();

private:
    std::vector<PageHistory::Version> m_versions;
};

} // namespace nimbra
