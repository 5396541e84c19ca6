// Every caption, label and button text of every window and page fits its
// place with the installed fonts, runs into nothing beside it and is not cut
// at its window's edge; status texts are wrapped, or cut with "…" and the
// whole text as tooltip, from the top of their place; an edit given a long
// value shows its start.
#include "windows.h"

#include "formkit.h"
#include "mapwindow.h"
#include "statuslabel.h"
#include "tform3.h"
#include "tform4.h"
#include "tform5.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QStyle>

#include <functional>
#include <ostream>

namespace {

// Pictures larger than this are backgrounds that captions lie on.
constexpr int kSmallPicture = 64;

QString nameOf(const QWidget *widget)
{
    QStringList names;
    for (const QWidget *w = widget; w; w = w->parentWidget())
        names.prepend(w->objectName().isEmpty() ? QString::fromUtf8(w->metaObject()->className()) : w->objectName());
    return names.join(u'/');
}

bool isPicture(const QLabel *label)
{
    return qobject_cast<const nimbra::ImageButton *>(label) || !label->pixmap().isNull();
}

// A label showing a text of its own, as opposed to a picture.
const QLabel *textLabel(const QWidget *widget)
{
    const auto *label = qobject_cast<const QLabel *>(widget);
    if (!label || isPicture(label) || label->text().isEmpty() || Qt::mightBeRichText(label->text()))
        return nullptr;
    return label;
}

// The text as the label shows it: a status label may show it cut.
QString shownText(const QLabel *label)
{
    const auto *status = qobject_cast<const nimbra::StatusLabel *>(label);
    return status ? status->shownText() : label->text();
}

// Where a label's text would be drawn, in the label's coordinates.
QRect textExtent(const QLabel *label)
{
    const QFontMetrics metrics(label->font());
    const QRect contents = label->contentsRect();
    const QString text = shownText(label);
    QSize need = metrics.size(0, text);
    if (label->wordWrap())
        need = metrics.boundingRect(QRect(0, 0, contents.width(), 100000), Qt::TextWordWrap, text).size();
    return QStyle::alignedRect(label->layoutDirection(), label->alignment(), need, contents);
}

// What a sibling covers that a caption must not run into; empty for
// containers and backgrounds.
QRect inkOf(const QWidget *widget)
{
    if (widget->isHidden())
        return {};
    // Nothing is drawn outside a control's own place.
    if (const QLabel *label = textLabel(widget))
        return textExtent(label).intersected(label->rect()).translated(label->pos());
    const auto *picture = qobject_cast<const QLabel *>(widget);
    const bool small = widget->width() <= kSmallPicture && widget->height() <= kSmallPicture;
    if (picture && isPicture(picture) && small)
        return widget->geometry();
    if (qobject_cast<const QLineEdit *>(widget) || qobject_cast<const QListWidget *>(widget) ||
        qobject_cast<const QCheckBox *>(widget) || qobject_cast<const QPlainTextEdit *>(widget))
        return widget->geometry();
    return {};
}

class CaptionCheck {
public:
    // Every control inside parent, with every page of a notebook shown in turn.
    void walk(QWidget *parent)
    {
        for (QObject *object : parent->children()) {
            auto *widget = qobject_cast<QWidget *>(object);
            if (!widget || widget->isWindow())
                continue;
            check(widget);
            if (auto *notebook = qobject_cast<QStackedWidget *>(widget))
                walkPages(notebook);
            else
                walk(widget);
        }
    }

    QStringList Problems;

private:
    void walkPages(QStackedWidget *notebook)
    {
        const int shown = notebook->currentIndex();
        for (int page = 0; page < notebook->count(); ++page) {
            notebook->setCurrentIndex(page);
            walk(notebook->currentWidget());
        }
        notebook->setCurrentIndex(shown);
    }

    void check(const QWidget *widget)
    {
        if (const auto *status = qobject_cast<const nimbra::StatusLabel *>(widget))
            return checkStatus(status);
        if (const auto *button = qobject_cast<const nimbra::ImageButton *>(widget))
            return checkButtonCaption(button, button->caption());
        if (const auto *box = qobject_cast<const QCheckBox *>(widget))
            return checkFits(box, box->sizeHint().width() <= box->width(), box->text());
        if (const QLabel *label = textLabel(widget))
            checkLabel(label);
    }

    void checkFits(const QWidget *widget, bool fits, const QString &text)
    {
        if (!fits)
            Problems << nameOf(widget) + QStringLiteral(": \"") + text + QStringLiteral("\" is cut in its place");
    }

    void checkButtonCaption(const nimbra::ImageButton *button, const QString &caption)
    {
        if (!caption.isEmpty())
            checkFits(button, QFontMetrics(button->font()).horizontalAdvance(caption) <= button->width(), caption);
    }

    void checkLabel(const QLabel *label)
    {
        const QRect extent = textExtent(label);
        checkFits(label, label->contentsRect().contains(extent), label->text());
        const QRect inParent = extent.translated(label->pos());
        if (!label->parentWidget()->rect().contains(inParent))
            Problems << nameOf(label) + QStringLiteral(": \"") + label->text() + QStringLiteral("\" runs past ") +
                            nameOf(label->parentWidget());
        if (!label->isHidden())
            checkNeighbours(label, inParent);
    }

    void checkNeighbours(const QLabel *label, const QRect &inParent)
    {
        for (const QObject *object : label->parentWidget()->children()) {
            const auto *other = qobject_cast<const QWidget *>(object);
            if (!other || other == label || !inParent.intersects(inkOf(other)))
                continue;
            Problems << nameOf(label) + QStringLiteral(": \"") + label->text() + QStringLiteral("\" runs into ") +
                            nameOf(other);
        }
    }

    // A status text never ends at the window's edge: wrapped in its place,
    // or cut with "…" and whole in the tooltip.
    void checkStatus(const nimbra::StatusLabel *status)
    {
        const QString shown = status->shownText();
        const bool fitsRoom = QFontMetrics(status->font()).horizontalAdvance(shown) <= status->roomWidth();
        if (!status->wordWrap() && !fitsRoom)
            Problems << nameOf(status) + QStringLiteral(": the status \"") + shown + QStringLiteral("\" runs past the window");
        if (shown != status->text() && !status->isCut())
            Problems << nameOf(status) + QStringLiteral(": a cut status text has no whole tooltip");
        if (!(status->alignment() & Qt::AlignTop))
            Problems << nameOf(status) + QStringLiteral(": the status is not shown from the top of its place");
    }
};

struct Place {
    const char *What;
    std::function<QWidget *(nimbra::TForm1 &)> Window;
};

void PrintTo(const Place &place, std::ostream *os)
{
    *os << place.What;
}

const QString kLongStatus = QStringLiteral("Não foi possível gravar o arquivo da aventura casa na pasta do autor, "
                                           "que não existe mais ou não aceita gravação!!!");

} // namespace

class CaptionsFit : public WindowTest, public ::testing::WithParamInterface<Place> {};

TEST_P(CaptionsFit, InEveryPageOfTheWindow)
{
    openDemoAdventure();
    QWidget *window = GetParam().Window(main());
    window->show();
    CaptionCheck check;
    check.walk(window);
    EXPECT_TRUE(check.Problems.isEmpty()) << check.Problems.join(u'\n').toStdString();
}

TEST_P(CaptionsFit, WithLongStatusTexts)
{
    QWidget *window = GetParam().Window(main());
    window->show();
    for (nimbra::StatusLabel *status : window->findChildren<nimbra::StatusLabel *>())
        nimbra::showStatus(status, kLongStatus);
    CaptionCheck check;
    check.walk(window);
    EXPECT_TRUE(check.Problems.isEmpty()) << check.Problems.join(u'\n').toStdString();
}

TEST_P(CaptionsFit, EditsShowTheStartOfALongValue)
{
    QWidget *window = GetParam().Window(main());
    window->show();
    for (QLineEdit *edit : window->findChildren<QLineEdit *>()) {
        edit->clearFocus();
        edit->setText(QStringLiteral("$porta_rangido_") + QString(40, u'x'));
        EXPECT_EQ(edit->cursorPosition(), 0) << nameOf(edit).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Windows, CaptionsFit,
    ::testing::Values(Place{"main", [](nimbra::TForm1 &m) -> QWidget * { return &m; }},
                      Place{"tools", [](nimbra::TForm1 &m) -> QWidget * { return m.form2; }},
                      Place{"run_view", [](nimbra::TForm1 &m) -> QWidget * { return m.form3; }},
                      Place{"preview", [](nimbra::TForm1 &m) -> QWidget * { return m.form4; }},
                      Place{"qr", [](nimbra::TForm1 &m) -> QWidget * { return m.form5; }},
                      Place{"story_map", [](nimbra::TForm1 &m) -> QWidget * { return m.form6; }}),
    [](const ::testing::TestParamInfo<Place> &info) { return std::string(info.param.What); });

// The fonts the windows name are there in widths that fit their captions.
struct FontName {
    const char *Asked;
    const char *Found;
};

void PrintTo(const FontName &font, std::ostream *os)
{
    *os << font.Asked;
}

class FontsNamed : public ::testing::TestWithParam<FontName> {};

TEST_P(FontsNamed, AreTheMetricCompatibleOnes)
{
    const QFont asked(QString::fromUtf8(GetParam().Asked));
    EXPECT_EQ(QFontInfo(asked).family(), QString::fromUtf8(GetParam().Found));
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontsNamed,
                         ::testing::Values(FontName{"Arial", "Liberation Sans"},
                                           FontName{"Courier New", "Liberation Mono"}),
                         [](const ::testing::TestParamInfo<FontName> &info) {
                             return QString::fromUtf8(info.param.Asked).remove(u' ').toStdString();
                         });
