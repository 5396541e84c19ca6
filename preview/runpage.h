#pragma once

#include <QWebEnginePage>

namespace nimbra {

// The run view's page: tells where it is about to go and always lets it go.
class RunPage final : public QWebEnginePage {
    Q_OBJECT
public:
    using QWebEnginePage::QWebEnginePage;

signals:
    void navigating(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (isMainFrame)
            emit navigating(url);
        return true;
    }
};

} // namespace nimbra
