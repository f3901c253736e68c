#pragma once
// Fonts that draw the names of a Surat or Ahmedabad firm's parties as they are written: "રમેશ સિલ્ક
// મિલ્સ" in Gujarati, "दिल्ली ड्रेपर्स" in Hindi. Every printed layout and every screen puts these
// families behind its own font, so such text prints and shows instead of empty boxes. Only families
// installed on this machine are named (a missing one would make Qt search and warn on the console).
#include <QFont>
#include <QStringList>

namespace tanabana::reports {

// The installed families covering Gujarati and Devanagari, in the order they are tried.
QStringList indianScriptFamilies();
// `font` with its own family first and the Indian script families behind it.
QFont withIndianScripts(QFont font);

}  // namespace tanabana::reports
