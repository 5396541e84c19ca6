#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <optional>

namespace nimbra {

// "nimbra.ini": nine CR LF lines, Windows-1252: login, password, then Top
// and Left of the tools window, the run view and the preview window, and "...".
struct Settings {
    std::optional<QString> Login;
    std::optional<QString> Password;
    // Top-left corners; a line that is missing or not a whole number leaves
    // that coordinate unset.
    struct Position {
        std::optional<int> Top;
        std::optional<int> Left;
    };
    Position Tools, Run, Preview;
};

// What the file holds; an absent file gives an empty Settings.
Settings readSettings(const QString &path);

// Writes the nine lines through a temporary file and a rename, so a failed
// write never leaves half a file. Returns the error text, or nothing.
std::optional<QString> writeSettings(const QString &path, const QString &login, const QString &password,
                                     QPoint tools, QPoint run, QPoint preview);

// A window's top-left corner moved so the window's title bar stays on the
// screen area it must be reachable in.
QPoint keptOnScreen(QPoint topLeft, QSize windowSize, const QRect &screen);

} // namespace nimbra
