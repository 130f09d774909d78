// The stored font names keep their Windows spelling; they are mapped once to installed fonts.
#pragma once

namespace platform {

// Maps "ＭＳ Ｐゴシック", "ＭＳ ゴシック", "ＭＳ 明朝" and "Times New Roman" to installed
// families. Calling it again changes nothing.
void InstallFontSubstitutes();

}  // namespace platform
