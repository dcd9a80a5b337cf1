#pragma once
#include <QString>

// The program's folder with a trailing "/": the executable's folder, or the
// folder named by TEVAKA_HOME (tests and installed copies). Every file that
// lies beside the executable is named from it. Set by InitAppPath().
extern QString vAppPath;

// Which program runs the windows shared with the sibling reader; always 2 here.
extern int vAppKind;

// Fills vAppPath; needs a QCoreApplication for the executable's folder.
void InitAppPath();

// The program's web page (About box, "Thông tin cập nhật...").
QString ProgramWebPage();
