#pragma once
// Texts between the form model (UTF-8) and the widgets (QString). The
// absolute-value bar of an error formula is stored as the control character
// 5, which no font draws; the widgets show it as the broken bar "¦" and read
// that glyph back as the stored character.
#include <QString>
#include <string>
#include <string_view>

namespace velmar::window {

inline constexpr char16_t kBarGlyph = u'\u00A6';

QString toQt(std::string_view text);
std::string fromQt(const QString& text);

}  // namespace velmar::window
