#include "soundspage.h"

#include "clicklabel.h"
#include "formkit.h"
#include "graphicspage.h"
#include "imagebutton.h"
#include "pageeditor.h"
#include "pump.h"
#include "screenpage.h"
#include "scriptspage.h"
#include "serverfiles.h"
#include "skin.h"
#include "soundfilespage.h"
#include "statuslabel.h"
#include "workspace.h"
#include "tform2.h"

#include <QFileInfo>

namespace nimbra {

namespace {

// The sixth field of a screen link, its first argument.
constexpr int kLinkSoundField = 5;

QFont categoryFont()
{
    QFont font = arialFont(19, true);
    font.setUnderline(true);
    return font;
}

} // namespace

SoundsPage::SoundsPage(Workspace &work, PageEditor &editor, TForm2 &tools, QWidget *parent) : QWidget(parent), m_work(work), m_editor(editor), m_tools(tools)
{
    caption(this, 5, 5, QStringLiteral("Biblioteca de sons e ruidos:"));
    buildCategories();
    buildActions();
    separator(this, 160);
    Lbx7 = serverFileList(this, QStringLiteral("Lbx7"), QRect(10, 165, 390, 506));
    connect(Lbx7, &QListWidget::itemClicked, this, &SoundsPage::Lbx7Click);
}

void SoundsPage::buildCategories()
{
    for (std::size_t i = 0; i < kCategories.size(); ++i) {
        const QString key = QString::fromUtf8(kCategories[i].Key);
        auto *label = new ClickLabel(QString::fromUtf8(kCategories[i].Caption), this);
        label->setObjectName(QStringLiteral("lbCat_") + key);
        label->setFont(categoryFont());
        setTextColour(label, Skin::Navy);
        label->setToolTip(key);
        label->adjustSize();
        label->move(kCategories[i].Place);
        connect(label, &ClickLabel::clicked, this, [this, key] { ListLibrarySounds(key); });
        lbCat[i] = label;
    }
}

void SoundsPage::buildActions()
{
    Sts = status(this, 10, 100, QStringLiteral("Sts"), 390, 30);
    Image16 = actionButton(this, 10, 135, QStringLiteral("som inicial"), QStringLiteral("Image16"));
    connect(Image16, &ImageButton::clicked, this, &SoundsPage::Image16Click);
    Image17 = actionButton(this, 130, 135, QStringLiteral("som no link"), QStringLiteral("Image17"));
    connect(Image17, &ImageButton::clicked, this, &SoundsPage::Image17Click);
    QLabel *back = caption(this, 0, 133, QStringLiteral("voltar"));
    back->move(375 - back->width(), 133);
    Image15 = new ImageButton(this, Skin::btUp3(), Skin::btDw3());
    Image15->setObjectName(QStringLiteral("Image15"));
    Image15->move(380, 135);
    connect(Image15, &ImageButton::clicked, this, [this] { m_tools.showPage(TForm2::Scripts); });
}

void SoundsPage::ListLibrarySounds(const QString &category)
{
    Lbx7->clear();
    const ListedNames names = librarySoundNames(m_work.service.listSounds(category));
    for (const QString &name : names.Shown)
        Lbx7->addRow(name);
    showStatus(Sts, refusedNamesStatus(names.Refused));
}

std::optional<QString> SoundsPage::TocaWave(const QString &name)
{
    const std::optional<SoundName> sound = soundName(name);
    if (!sound)
        return std::nullopt;
    QString why;
    const std::optional<QString> path = adventureFilePath(m_work.session, sound->FileName, &why);
    if (!path)
        return why;
    if (sound->Library) {
        if (std::optional<QString> failure = fetchOnce(sound->FileName, *path))
            return failure;
    }
    // A sound that is nowhere plays nothing, and says nothing.
    if (!QFileInfo(*path).isFile())
        return std::nullopt;
    // Opening closes what played before: one sound at a time.
    if (std::optional<QString> failure = m_deck.open(*path))
        return failure;
    return m_deck.play();
}

std::optional<QString> SoundsPage::fetchOnce(const QString &fileName, const QString &path)
{
    if (QFileInfo::exists(path))
        return std::nullopt;
    std::optional<QString> failure = FetchLibrarySound(m_work.http, m_work.session, fileName);
    letPendingMessagesBeProcessed();
    if (!failure)
        m_tools.soundFiles()->readLocalFiles();
    return failure;
}

QString SoundsPage::pickedSound() const
{
    const QString name = pickedName(Lbx7);
    return name.isEmpty() ? QString() : QLatin1Char('$') + name;
}

void SoundsPage::attachInitialSound(const QString &sound)
{
    if (sound.isEmpty())
        return;
    m_tools.scripts()->Edit20->setText(sound);
    m_editor.edits().controlChanged(QStringLiteral("som inicial"));
    m_tools.showPage(TForm2::Scripts);
}

void SoundsPage::attachLinkSound(const QString &sound)
{
    if (sound.isEmpty())
        return;
    // It reaches the link when the author registers it.
    m_tools.scripts()->screen()->Lnk[kLinkSoundField]->setText(sound);
    m_tools.showPage(TForm2::Scripts);
}

void SoundsPage::Lbx7Click()
{
    const QString sound = pickedSound();
    if (!sound.isEmpty())
        showStatus(Sts, TocaWave(sound).value_or(QString()));
}

void SoundsPage::Image16Click()
{
    attachInitialSound(pickedSound());
}

void SoundsPage::Image17Click()
{
    attachLinkSound(pickedSound());
}

} // namespace nimbra
