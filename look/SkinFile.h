#pragma once
#include <QPalette>
#include <QString>
#include <QStringList>

// A skin: a palette and a Qt style sheet, applied to the whole application.
//
// Skin file format ("AllSkins.skinres", UTF-8 text, our own):
//
//   ; a comment line
//   [Skin name]
//   window = #rrggbb          required: window, base, text, button, highlight
//   windowText = #rrggbb      optional: windowText, buttonText, highlightedText,
//   ...                                 alternateBase, toolTipBase, toolTipText,
//                                       link, placeholderText
//   style:
//   QMenuBar { ... }          every line up to the next "[name]" line is the
//   ...                       skin's style sheet
//
// Skins are listed in file order. Missing optional colours derive from the
// required ones (windowText and buttonText from text, highlightedText black or
// white by contrast, ...). A skin lacking a required colour cannot be loaded.
struct TSkin
{
    QString name;
    QPalette palette;
    QString styleSheet;
};

// The skin names in file order; empty when the file is missing or unreadable.
QStringList SkinNames(const QString &fileName);

// Loads the named skin; false when the file, the skin or one of its required
// colours is missing.
bool LoadSkin(const QString &fileName, const QString &name, TSkin &skin);
