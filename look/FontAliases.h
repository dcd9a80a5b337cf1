#pragma once

// The windows and pages are designed for "Segoe UI" (and "Tahoma" hints),
// which Linux does not have. These make both names resolve to an installed
// family that covers Vietnamese and Pali diacritics (Noto Sans, DejaVu Sans).

// For web pages: points fontconfig (FONTCONFIG_FILE) at a generated
// configuration that includes the system one and adds the aliases. Call in
// main() before QApplication. Leaves a FONTCONFIG_FILE already set alone.
void InstallFontAliases();

// For widgets: Qt font substitutions. Needs the QGuiApplication.
void InstallFontSubstitutes();
