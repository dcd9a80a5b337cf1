#pragma once
#include <QString>
#include <QtGlobal>

// Process-wide settings (one instance each for the whole program).
extern int vInterfaceLang;        // 0 Vietnamese, 1 English
extern QString vFontName;         // reading page font
extern QString vLastWord;         // last word looked up
extern int vDictionary;           // last dictionary code
extern bool vMultiDictionary;     // dictionary multi-language mode
extern int vGlobalActiveStyle;    // 1-based position of the active skin
extern QString vGlobalActiveName; // its name

// Colours are the platform's 32-bit values: 0x00BBGGRR, or a system colour
// with high byte 0xFF (0xFF000005 = window background).
inline constexpr quint32 kWindowColor = 0xFF000005;
inline constexpr quint32 kYellow = 0x0000FFFF;

// The in-memory copy of the stored settings; the content data module owns it.
class TSettingsRecord
{
public:
    int vOpenSutta = 1;    // 1 last sutta, 2 random, 3 no preference
    int vLastSutta = 1;
    int vLastTevaka = 1;
    bool vPopupActive = true;
    int vPopupTime = 30;   // minutes, 1..240
    quint32 vBgColor = kWindowColor;
    quint32 vHighlightColor = kYellow;
    int vLanguageSutta = 1; // 0 Pali, 1 Vietnamese, 2 English
    int vMarginWidth = 0;
    int vZoomPercent = 100;
    bool vStartWin = false;

    // Fills the record from the settings key and the autostart entry; never fails.
    void ReadSystemOptions();
    // Fills vGlobalActiveStyle and vGlobalActiveName.
    void ReadActiveStyle();
    // Stores vGlobalActiveStyle and vGlobalActiveName (fallback 16, "Office2007Blue").
    void WirteActiveStyle();

    // Every field of the options group at its default (vMultiDictionary true).
    void SetDefaultOptions();
};

// Single-value writers: open the settings key (creating it), write the value,
// and when a fallback is given write that instead if the write fails. A key
// that cannot be opened gets nothing; nothing is reported.
void WriteOptionInteger(const QString &name, qint32 value);
void WriteOptionInteger(const QString &name, qint32 value, qint32 fallback);
void WriteOptionString(const QString &name, const QString &value);
// Writes several integers; when any write fails every one of them gets its fallback.
void WriteOptionIntegers(const QList<QPair<QString, qint32>> &values, const QList<qint32> &fallbacks);

// The quoted executable path that registers the program to start with the session.
QString AutostartCommand();
// Registers (true) or unregisters the program; failures are silent.
void WriteStartWin(bool on);
