#pragma once
#include <QColor>

// The editor's colours: dark graphite surfaces, one amber accent, light text.
namespace SkinImages::Palette {

inline const QColor kGraphite{0x26, 0x2A, 0x31};
inline const QColor kGraphiteLight{0x35, 0x3A, 0x43};
inline const QColor kGraphiteDark{0x17, 0x19, 0x1D};
inline const QColor kEdge{0x3C, 0x42, 0x4C};
inline const QColor kEdgeLight{0x58, 0x60, 0x6C};
inline const QColor kAccent{0xF2, 0xA3, 0x3A};
inline const QColor kAccentLight{0xF7, 0xB9, 0x5E};
inline const QColor kAccentDark{0xD4, 0x87, 0x24};
inline const QColor kText{0xE8, 0xEA, 0xED};
inline const QColor kMuted{0x9B, 0xA3, 0xAE};
inline const QColor kWhiteKey{0xEE, 0xEF, 0xF1};
inline const QColor kBlackKey{0x14, 0x15, 0x18};

}  // namespace SkinImages::Palette
