#pragma once

#include <QColor>
#include <QFont>
#include <QPixmap>

namespace nimbra {

// The pictures and colours shared by every skinned window.
class Skin final {
public:
    // The pictures live in this static library's resources; every accessor
    // registers them first, so callers need no set-up of their own.
    static void init();

    static QPixmap btUp();    // exit and background-toggle buttons, released
    static QPixmap btDw();    // ... pressed
    static QPixmap btUp3();   // menu and action buttons, released
    static QPixmap btDw3();   // ... pressed
    static QPixmap tic1();    // vertical lock off
    static QPixmap tic2();    // vertical lock on
    static QPixmap titleBar(); // stretched over the title bar
    static QPixmap topo1();   // main window's top band, left end
    static QPixmap topo2();   // ... stretched remainder

    static constexpr QColor WindowBackground{0xE1, 0xE1, 0xE1};
    static constexpr QColor MainBackground{0xCE, 0xCE, 0xCE};
    static constexpr QColor Navy{0x00, 0x00, 0x80};
    static constexpr QColor Grey{0x80, 0x80, 0x80};
    static constexpr QColor Maroon{0x80, 0x00, 0x00};
    static constexpr QColor Frame{0x30, 0x3C, 0x4E};
    static constexpr QColor TitleText{0xFF, 0xFF, 0xFF};

    // The status label look: maroon, bold italic underlined.
    static constexpr QColor StatusColor = Maroon;
    static QFont statusFont(int pixelSize = 13);
    // Arial bold, the window titles' face.
    static QFont titleFont(int pixelSize = 13);

private:
    static QPixmap picture(const char *name);
};

} // namespace nimbra
