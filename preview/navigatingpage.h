#pragma once

#include <QWebEnginePage>

namespace nimbra {

// A web page that tells where it is about to go and always lets it go;
// the run view and the preview's browser follow it.
class NavigatingPage final : public QWebEnginePage {
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;

signals:
    void navigating(const QUrl &url);

protected:
    // A link clicked in a frame is the player's too; other loads of frames
    // (adverts, embedded pages) are not.
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override
    {
        if (isMainFrame || type == NavigationTypeLinkClicked)
            emit navigating(url);
        return true;
    }
};

} // namespace nimbra
