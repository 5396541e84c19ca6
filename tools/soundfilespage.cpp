#include "soundfilespage.h"

#include "formkit.h"
#include "graphicspage.h"
#include "imagebutton.h"
#include "soundspage.h"
#include "statuslabel.h"
#include "workspace.h"
#include "tform2.h"

namespace nimbra {

SoundFilesPage::SoundFilesPage(Workspace &work, TForm2 &tools, QWidget *parent)
    : QWidget(parent), m_work(work), m_tools(tools)
{
    buildServerSide();
    separator(this, 340);
    buildLocalSide();
}

void SoundFilesPage::buildServerSide()
{
    caption(this, 5, 0, QStringLiteral("Sons e ruidos (servidor)..."));
    Lbx8 = serverFileList(this, QStringLiteral("Lbx8"), QRect(5, 25, 400, 266));
    Image18 = actionButton(this, 10, 300, QStringLiteral("Deletar arquivo do servidor..."), QStringLiteral("Image18"));
    connect(Image18, &ImageButton::clicked, this, &SoundFilesPage::Image18Click);
    St2 = status(this, 35, 318, QStringLiteral("St2"));
}

void SoundFilesPage::buildLocalSide()
{
    caption(this, 5, 350, QStringLiteral("Sons (local)..."));
    File2 = localFileList(this, QStringLiteral("File2"), QRect(5, 375, 166, 294));
    connect(File2, &QListWidget::itemClicked, this, &SoundFilesPage::File2Click);
    Image21 = actionButton(this, 180, 378, QStringLiteral("Som inicial"), QStringLiteral("Image21"));
    connect(Image21, &ImageButton::clicked, this, &SoundFilesPage::Image21Click);
    Image22 = actionButton(this, 180, 403, QStringLiteral("Som no link"), QStringLiteral("Image22"));
    connect(Image22, &ImageButton::clicked, this, &SoundFilesPage::Image22Click);
    Image20 = actionButton(this, 180, 428, QStringLiteral("Upload do arquivo..."), QStringLiteral("Image20"));
    connect(Image20, &ImageButton::clicked, this, &SoundFilesPage::Image20Click);
    Label90 = status(this, 185, 448, QStringLiteral("Label90"), 196, 51);
}

void SoundFilesPage::showFiles()
{
    if (!m_work.session.AdvPrefix.isEmpty())
        ListServerSounds();
    readLocalFiles();
}

void SoundFilesPage::ListServerSounds()
{
    fillServerFiles(m_work, Lbx8, St2, ServerFileKind::Sound);
}

void SoundFilesPage::readLocalFiles()
{
    fillLocalFiles(File2, m_work.session, kSoundMasks);
}

void SoundFilesPage::File2Click()
{
    const QString name = pickedName(File2);
    if (name.isEmpty())
        return;
    showStatus(Label90, m_tools.sounds()->TocaWave(name).value_or(kStatusRest));
}

void SoundFilesPage::Image18Click()
{
    DeleteServerFile(m_work, Lbx8, St2);
}

void SoundFilesPage::Image20Click()
{
    if (UploadFile(m_work, pickedName(File2), Label90))
        ListServerSounds();
}

void SoundFilesPage::Image21Click()
{
    m_tools.sounds()->attachInitialSound(pickedName(File2));
}

void SoundFilesPage::Image22Click()
{
    m_tools.sounds()->attachLinkSound(pickedName(File2));
}

} // namespace nimbra
