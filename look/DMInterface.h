#pragma once
#include "look/SkinFile.h"

#include <QFont>
#include <QObject>

// Look-and-feel objects shared by every window; created first at start-up,
// right after the QApplication.
class TInterfaceDM : public QObject
{
    Q_OBJECT
public:
    explicit TInterfaceDM(QObject *parent = nullptr);
    ~TInterfaceDM() override;

    // Caption font of layout groups and items ("SkinLookAndFeel"): Tahoma 8
    // when created, Segoe UI 10 once the main window exists.
    QFont SkinCaptionFont;
    void SetSkinCaptionFont(const QString &family, int pointSize);

    // The single loaded skin slot, "UserSkin".
    bool LoadUserSkin(const QString &fileName, const QString &name);
    bool HasUserSkin() const { return m_hasSkin; }
    const TSkin &UserSkin() const { return m_skin; }

    // Styles the whole application, open windows and later ones, with the
    // user skin. Without a loaded skin the platform look stays.
    void ApplyUserSkin();

private:
    TSkin m_skin;
    bool m_hasSkin = false;
};

extern TInterfaceDM *InterfaceDM;
