#include "look/DMInterface.h"
#include "look/FontAliases.h"
#include "look/FontStyle.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>

TInterfaceDM *InterfaceDM = nullptr;

TInterfaceDM::TInterfaceDM(QObject *parent) : QObject(parent)
{
    setObjectName("InterfaceDM");
    InterfaceDM = this;
    InstallFontSubstitutes();
    SetSkinCaptionFont("Tahoma", 8);
    QFont hint("Tahoma", 8);
    SetFontQuality(hint);
    QToolTip::setFont(hint);
}

TInterfaceDM::~TInterfaceDM()
{
    if (InterfaceDM == this)
        InterfaceDM = nullptr;
}

void TInterfaceDM::SetSkinCaptionFont(const QString &family, int pointSize)
{
    SkinCaptionFont = QFont(family, pointSize);
    SetFontQuality(SkinCaptionFont);
}

bool TInterfaceDM::LoadUserSkin(const QString &fileName, const QString &name)
{
    TSkin skin;
    if (!LoadSkin(fileName, name, skin))
        return false;
    m_skin = skin;
    m_hasSkin = true;
    return true;
}

void TInterfaceDM::ApplyUserSkin()
{
    if (!m_hasSkin)
        return;
    // Platform styles may ignore the palette; Fusion paints with it everywhere.
    if (QApplication::style()->name().compare("fusion", Qt::CaseInsensitive) != 0)
        QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(m_skin.palette);
    qApp->setStyleSheet(m_skin.styleSheet);
}
