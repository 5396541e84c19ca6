#pragma once

#include "reply.h"

#include <QColor>
#include <QString>

#include <optional>

namespace nimbra {

// The adventure data the client reads from its 18-line reply.
struct AdventureData {
    QString Prefix;
    QString BackColor;
    QString TextColor;
    QString LinkColor;
    QString StartScript;
    QString MainFont;
};

// The data of an "Ok" reply of 18 lines or more whose prefix can be a folder
// name; otherwise nothing, with the text to show in why.
std::optional<AdventureData> readAdventureData(const Reply &reply, QString *why);

inline const QString kShortAdventureData = QStringLiteral("Dados da aventura incompletos!!!");
inline const QString kBadAdventurePrefix = QStringLiteral("Prefixo da aventura inválido!!!");

// Where an object is and what it looks like (its picture, or a shape).
struct ObjectPlace {
    QString Location;
    QString Shape;
};
struct ObjectData {
    ObjectPlace Initial;
    ObjectPlace Current;
};

// The object of an "Ok" reply of five lines or more (the status, then the
// initial and the current location and shape); otherwise nothing.
std::optional<ObjectData> readObjectData(const Reply &reply);

// A colour text RRGGBB as a screen colour; empty or not hexadecimal gives
// RGB 206,206,206. A shorter text places what characters it has.
QColor ColorFromText(const QString &text);

} // namespace nimbra
