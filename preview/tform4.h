#pragma once

#include "skinnedwindow.h"

#include <QPlainTextEdit>
#include <QStackedWidget>

class QWebEngineView;

namespace nimbra {

class ImageButton;
class PreviewPage;
class TForm1;

// The preview window: the page at 1:1, the raw script editor and a browser
// for the service's web pages.
class TForm4 final : public SkinnedWindow {
    Q_OBJECT
public:
    explicit TForm4(TForm1 &main);

    enum InnerPage { PreviewTab = 0, ScriptTab, BrowserTab };

    void showPreviewPage();
    // The service's web pages, in the browser page, brought to the front.
    void showWebPages(const QString &url);
    void setTitle(const QString &title);
    void setPageBackground(const QColor &colour);
    QColor pageBackground() const;

    PreviewPage *preview() const { return m_preview; }
    void btInsClick();
    void Image2Click(); // "Gravar"
    void Image1Click(); // "Retornar"
    void Image3Click(); // "Executar"

    QStackedWidget *Pan1 = nullptr;
    QPlainTextEdit *Memo3 = nullptr;
    QWebEngineView *Browser = nullptr;
    ImageButton *btIns = nullptr;
    QLabel *lbIns = nullptr;
    // The last instruction page shown.
    QString InstrucsUrl;

private:
    void setInstructionsVisible(bool visible);
    void buildPreviewPage();
    QWidget *buildScriptPage();
    void buildBrowserPage();
    void backToPreview();
    void browserNavigating(const QUrl &url);

    PreviewPage *m_preview = nullptr;

    TForm1 &m_main;
};

} // namespace nimbra
