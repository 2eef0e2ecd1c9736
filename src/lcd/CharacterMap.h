#pragma once
// Which codes a character set draws for a text. The display's text is Windows-1252; a set draws
// glyphs by code, and only the DOS set numbers its accented letters as Windows-1252 does not
// (code page 437). So each character of the text becomes the code the set draws for that
// character, or, where the set lacks it, its nearest plain form:
//
// - dos5x7: the letters and signs that code page 437 has, at their code page 437 codes (é is
//   130, Ü is 154, ß is 225, « is 174); the others as for the ASCII sets (È is E).
// - Hitachi, Hitachi2: the letters and signs the controller's table has (ä, ö, ü, ñ, µ, ¢, £,
//   ¥, ÷, the middle dot) at their codes there; the others as for the ASCII sets (Ä is A).
// - mat5x7, mat5x8, mat7x9, mat9x12: the letter without its mark (É is E, ç is c), ligatures
//   and letters without a plain form spelt out (ß is ss, æ is ae, Œ is OE, Þ is Th), signs as
//   their nearest ASCII (the no-break space is a space, « and » are ", – and — are -, … is
//   ...). No plain form uses the backslash or the tilde, which the Hitachi sets draw as other
//   signs.
// - CustomFont: every code as it is; a font file draws by code.
//
// ASCII (0 to 127) is kept as it is in every set, and so are the five codes that Windows-1252
// leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D): the display clamps what its set does not
// draw, as before. The soft hyphen (0xAD), invisible within a line, takes no cell.

#include "lcd/Matrix.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace lcd {

// Appends to `codes` what `set` draws for the Windows-1252 character `character`: one code,
// or several where a letter is spelt out, or none for the soft hyphen.
void appendDisplayCodes(TDotMatrix set, unsigned char character, std::string& codes);

// The codes `set` draws for `text`, in order, at most `limit` of them (a character spelt out
// over several codes is cut where the limit falls).
std::string displayCodes(TDotMatrix set, std::string_view text, std::size_t limit);

} // namespace lcd
