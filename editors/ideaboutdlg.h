#pragma once
// Unit IDEAboutDlg: the product's texts and bitmap, its entries on the host's splash screen and in
// the host's about box, and the unit's stop work.

#include <QImage>
#include <QString>

namespace IDEAboutDlg {

inline constexpr int MajorVersion = 8;
inline constexpr int MinorVersion = 6;

QString ProductTitle(); // "Kor-DBGrid Component"
QString HostEdition();  // "BDS 2005 Win32"
// The platform part of the host edition: its characters from the tenth on, trimmed, in
// parentheses ("(Win32)").
QString HostPlatform();
// The version line for a host edition text, starting with a space so that it can follow the
// title directly: " - ver. 8.6 (Win32), build 8.134".
QString VersionLine(const QString &Edition);
// The caption of the splash-screen and about-box entries: title and platform version line.
QString ProductCaption();
QString ProductDescription();

// The module's bitmap resource "BRISKSPLASHSIGN" (24 x 24, 8 bits per pixel), loaded anew on
// every call.
QImage ProductBitmap();
// The resource path of one of the module's bitmaps by resource name.
QString PackageBitmapPath(const QString &ResourceName);

// Adds the product to the host: demand-load state 1, the splash-screen entry when the host has
// a splash screen, the about-box entry when it has its about-box service (the index is kept).
void RegisterProduct();
// The index of the about-box entry, or -1 when none was added.
int AboutBoxIndex();

// The unit's stop work: removes the about-box entry, if one was added and the about-box service
// is still there.
void Finalization();

// The About box form (`TBriskCAboutForm`, `ShowAboutForm`) belongs to this unit as well.

} // namespace IDEAboutDlg
