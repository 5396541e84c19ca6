#include "runner.h"

#include "names.h"

#include <QRegularExpression>

namespace velorin {

namespace {

struct Box {
    int X, Y, Width, Height;
};

// The fixed places of icons 1 to 9.
constexpr Box kIconBoxes[nimbra::kIconCount] = {
    {862, 0, 58, 58},   {862, 60, 58, 58},  {862, 120, 58, 58}, {862, 180, 58, 58}, {862, 240, 58, 58},
    {862, 300, 58, 58}, {0, 382, 58, 58},   {789, 382, 58, 58}, {862, 382, 58, 58},
};
constexpr Box kContent{0, 0, 852, 358};
constexpr Box kObjectsBar{76, 382, 696, 58};
constexpr int kObjectCells = 12;

QString esc(const QString &text)
{
    return text.toHtmlEscaped();
}

QString style(const Box &b)
{
    return QStringLiteral("left:%1px;top:%2px;width:%3px;height:%4px").arg(b.X).arg(b.Y).arg(b.Width).arg(b.Height);
}

int number(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? qBound(0, value, 920) : 0;
}

QString colour(const QString &text, const char *fallback)
{
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}$"));
    return u'#' + (hex.match(text.trimmed()).hasMatch() ? text.trimmed() : QLatin1StringView(fallback));
}

QString fontFamily(const QString &name)
{
    static const QRegularExpression safe(QStringLiteral("^[A-Za-z0-9 _-]{1,40}$"));
    const QString font = name.trimmed();
    return safe.match(font).hasMatch() ? u'\'' + font + QStringLiteral("',sans-serif") : QStringLiteral("sans-serif");
}

// HTML font sizes 1 to 7 as pixels; larger numbers are pixels already.
int fontPixels(const QString &size)
{
    static const int sizes[] = {10, 13, 16, 18, 24, 32, 48};
    const int n = number(size);
    if (n >= 1 && n <= 7)
        return sizes[n - 1];
    return n > 7 ? n : 18;
}

class Page {
public:
    explicit Page(const RunView &view) : m_view(view) {}

    QString fileUrl(const QString &name) const
    {
        return QStringLiteral("arqs/") + urlValue(m_view.Prefix) + u'/' + urlValue(canonicalName(name.trimmed()));
    }

    // "$name" is a sound of the library, anything else one of the adventure's files.
    QString soundUrl(const QString &name) const
    {
        if (!name.startsWith(u'$'))
            return fileUrl(name);
        QString file = name.mid(1);
        if (!file.contains(QStringLiteral(".mp3")))
            file += QStringLiteral(".mp3");
        return QStringLiteral("pags/sons/") + urlValue(file);
    }

    QString pageUrl(const QString &target) const
    {
        return QStringLiteral("exescp.php?Idx=") + urlValue(m_view.Idx) + QStringLiteral("&Pfx=") +
               urlValue(m_view.Prefix) + QStringLiteral("&Scp=") + urlValue(target.trimmed());
    }

    QString image(const QString &id, const QString &file, const Box &box) const
    {
        return QStringLiteral("<img id=\"%1\" src=\"%2\" alt=\"\" style=\"%3\">\n")
            .arg(id, esc(fileUrl(file)), style(box));
    }

    QString linked(const QString &id, const QString &cls, const QString &target, const Box &box,
                   const QString &attributes, const QString &inner) const
    {
        const QString tag = target.trimmed().isEmpty() ? QStringLiteral("div") : QStringLiteral("a");
        const QString href = tag == u'a' ? QStringLiteral(" href=\"%1\"").arg(esc(pageUrl(target))) : QString();
        return QStringLiteral("<%1 id=\"%2\" class=\"%3\"%4%5 style=\"%6\">%7</%1>\n")
            .arg(tag, id, cls, href, attributes, style(box), inner);
    }

    QString innerImage(const QString &file) const
    {
        return QStringLiteral("<img src=\"%1\" alt=\"\" style=\"left:0;top:0;width:100%;height:100%\">")
            .arg(esc(fileUrl(file)));
    }

    QString textContent() const
    {
        const nimbra::PageModel &p = m_view.Page;
        QString css = style(kContent) + QStringLiteral(";box-sizing:border-box;padding:0 10px 0 0;overflow:auto");
        css += QStringLiteral(";background-color:%1;color:%2;font-family:%3;font-size:%4px")
                   .arg(colour(p.BackColor, "FFFFFF"), colour(p.TextColor, "000000"), fontFamily(p.FontName))
                   .arg(fontPixels(p.TextSize));
        css += p.Bold ? QStringLiteral(";font-weight:bold") : QString();
        css += p.Italic ? QStringLiteral(";font-style:italic") : QString();
        css += p.Underline ? QStringLiteral(";text-decoration:underline") : QString();
        if (!p.BackImage.trimmed().isEmpty())
            css += QStringLiteral(";background-image:url('%1');background-size:cover").arg(fileUrl(p.BackImage));
        // The page text is the author's HTML and goes in as written.
        return QStringLiteral("<div id=\"texto\" style=\"%1\">\n%2\n</div>\n").arg(esc(css), p.PageText.join(u'\n'));
    }

    QString screenLink(int i, const nimbra::ScreenLink &l) const
    {
        const Box box{number(l.X), number(l.Y), number(l.Width), number(l.Height)};
        const QString id = QStringLiteral("link%1").arg(i);
        const QString data = QStringLiteral(" data-kind=\"%1\" data-arg1=\"%2\" data-arg2=\"%3\" data-arg3=\"%4\"")
                                 .arg(esc(l.Kind), esc(l.Arg1), esc(l.Arg2), esc(l.Arg3));
        const QString kind = l.Kind.trimmed();
        if (kind == u"fig" || kind == u"mov")
            return linked(id, QStringLiteral("link"), l.Arg2, box, data, innerImage(l.Arg1));
        if (kind == u"shp")
            return linked(id, QStringLiteral("link"), QString(), box, data, innerImage(l.Arg1));
        if (kind == u"map")
            return linked(id, QStringLiteral("link"), l.Arg1, box, data, QString());
        if (kind == u"txt")
            return linked(id, QStringLiteral("link"), l.Arg2, box, data, esc(l.Arg1));
        if (kind == u"url" && (l.Arg1.startsWith(QStringLiteral("http://")) || l.Arg1.startsWith(QStringLiteral("https://"))))
            return QStringLiteral("<a id=\"%1\" class=\"link\" href=\"%2\"%3 style=\"%4\"></a>\n")
                .arg(id, esc(l.Arg1), data, style(box));
        return linked(id, QStringLiteral("link"), QString(), box, data, QString());
    }

    QString imageContent() const
    {
        QString html = image(QStringLiteral("telaimg"), m_view.Page.ScreenImage, kContent);
        for (int i = 0; i < nimbra::kLinkCount; ++i) {
            if (m_view.Page.ScreenLinks[i].Mark.isEmpty())
                html += screenLink(i, m_view.Page.ScreenLinks[i]);
        }
        return html;
    }

    QString icons() const
    {
        QString html;
        for (int k = 0; k < nimbra::kIconCount; ++k) {
            const nimbra::IconSlot &icon = m_view.Page.IconSlots[k];
            if (icon.Mark.isEmpty())
                html += linked(QStringLiteral("icone%1").arg(k + 1), QStringLiteral("icone"), icon.Target,
                               kIconBoxes[k], QString(), innerImage(icon.Image));
        }
        return html;
    }

    QString objectsBar() const
    {
        if (!m_view.Page.ObjBarMark.isEmpty())
            return {};
        QString cells;
        for (qsizetype i = 0; i < m_view.CarriedShapes.size() && i < kObjectCells; ++i)
            cells += image(QStringLiteral("objeto%1").arg(i + 1), m_view.CarriedShapes[i],
                           Box{int(i) * 58, 0, 58, 58});
        return QStringLiteral("<div id=\"objetos\" style=\"%1\">\n%2</div>\n").arg(style(kObjectsBar), cells);
    }

    QString sound() const
    {
        const QString name = m_view.Page.InitialSound.trimmed();
        if (name.isEmpty())
            return {};
        return QStringLiteral("<audio id=\"somini\" autoplay src=\"%1\"></audio>\n").arg(esc(soundUrl(name)));
    }

    QString content() const
    {
        if (m_view.Page.PageKind == u"txt")
            return textContent();
        if (m_view.Page.PageKind == u"img")
            return imageContent();
        return QStringLiteral("<div id=\"conteudo\" data-kind=\"%1\" style=\"%2\"></div>\n")
            .arg(esc(m_view.Page.PageKind), style(kContent));
    }

private:
    const RunView &m_view;
};

} // namespace

QString renderPage(const RunView &view)
{
    const Page page(view);
    const QString head =
        QStringLiteral("<!DOCTYPE html>\n<html lang=\"pt-BR\"><head><meta charset=\"utf-8\">\n"
                       "<meta name=\"viewport\" content=\"width=920\">\n<title>%1</title>\n<style>\n"
                       "body{margin:0;background:%2;color:%3;font-family:%4}\n"
                       "#tela{position:relative;width:920px;height:440px;overflow:hidden}\n"
                       "#tela a,#tela div,#tela img{position:absolute;display:block}\n"
                       "a{color:%5}\n</style></head>\n")
            .arg(esc(view.Script), colour(view.Style.BackColor, "FFFFFF"), colour(view.Style.TextColor, "000000"),
                 esc(fontFamily(view.Style.Font)), colour(view.Style.LinkColor, "0000FF"));
    const QString body = QStringLiteral("<body>\n<div id=\"tela\" data-pfx=\"%1\" data-scp=\"%2\">\n")
                             .arg(esc(view.Prefix), esc(view.Script)) +
                         page.content() + page.icons() + page.image(QStringLiteral("fio"), QStringLiteral("fio.png"),
                                                                     Box{0, 369, 920, 2}) +
                         page.objectsBar() + page.sound() + QStringLiteral("</div>\n</body></html>\n");
    return head + body;
}

} // namespace velorin
