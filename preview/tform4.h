#pragma once

#include "skinnedwindow.h"

#include <QPlainTextEdit>
#include <QStackedWidget>

class QWebEngineView;

namespace nimbra {

class ImageButton;
class PreviewPage;
class PageEditor;
struct Workspace;

// The preview window: the page at 1:1, the raw script editor and a browser
// for the service's web pages.
class TForm4 final : public SkinnedWindow {
    Q_OBJECT
public:
    TForm4(Workspace &work, PageEditor &editor);

    enum InnerPage { PreviewTab = 0, ScriptTab, BrowserTab };

    void showPreviewPage();
    bool sourceShown() const { return Pan1->currentIndex() == ScriptTab; }
    // The raw editor, brought to the front.
    void showSourcePage();
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

signals:
    // A press on the screen image or on the text: their editing forms.
    void screenPressed();
    void textPressed();
    // Back from the raw editor to the preview.
    void previewShownAgain();

private:
    void setInstructionsVisible(bool visible);
    void buildPreviewPage();
    QWidget *buildScriptPage();
    void buildBrowserPage();
    void backToPreview();
    void browserNavigating(const QUrl &url);

    PreviewPage *m_preview = nullptr;

    Workspace &m_work;
    PageEditor &m_editor;
};

} // namespace nimbra
