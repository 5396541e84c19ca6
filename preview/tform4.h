#pragma once

#include "skinnedwindow.h"

#include <QStackedWidget>

class QWebEngineView;

namespace nimbra {

class ImageButton;
class TForm1;

// The preview window: the page at 1:1, the raw script editor and a browser
// for the service's web pages.
class TForm4 final : public SkinnedWindow {
    Q_OBJECT
public:
    explicit TForm4(TForm1 &main);

    enum InnerPage { PreviewPage = 0, ScriptPage, BrowserPage };

    void showPreviewPage();
    // The service's web pages, in the browser page, brought to the front.
    void showWebPages(const QString &url);
    void setTitle(const QString &title);
    void setPageBackground(const QColor &colour);
    QColor pageBackground() const;

    QStackedWidget *Pan1 = nullptr;
    QWebEngineView *Browser = nullptr;
    ImageButton *btIns = nullptr;
    QLabel *lbIns = nullptr;

private:
    void setInstructionsVisible(bool visible);

    TForm1 &m_main;
};

} // namespace nimbra
