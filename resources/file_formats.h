// The file formats the game reads, written from finished pictures and sounds:
// ".ivx" pictures in the compact "ivx2" generation, Windows cursor files,
// 16-bit PCM wave files, JPEG (libjpeg-turbo) and PNG (libpng) pictures.
// Every writer returns the file's bytes; the same input gives the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/canvas.h"

namespace datagen {

// Bytes an "i" coordinate may not contain: the comma and the token letters
// end the token (44 ',', 99 'c', 105 'i', 112 'p', 125 '}').  We also keep
// out the bytes a text-mode reader on Windows would change or stop at (0, the
// line break pair 10 and 13, and 26, the old end-of-file mark), so the files
// read the same however they are opened.
bool ForbiddenInCoordinate(unsigned char byte);
// The characters whose byte values add up to `value` (none for 0), each as
// large as allowed so the file stays short.
std::string EncodeIvxCoordinate(int value);

// "*=ivx2*" header with the most common colour as background, then for each
// other colour one "c" token and the "i" tokens of its cells (1-based).
std::string IvxFile(const Picture& picture);

// A cursor file of one 32-bit image with an opacity mask; `alpha` holds the
// coverage of each pixel (0..255), the hot spot counts from the top left.
std::string CursorFile(const Picture& colours, const std::vector<uint8_t>& alpha, int hotX, int hotY);

// Mono 16-bit PCM.
std::string WavFile(const std::vector<int16_t>& samples, int sampleRate);

// Baseline JPEG with the JFIF header, as the game's size reader expects.
std::string JpegFile(const Picture& picture, int quality);

std::string PngFile(const Picture& picture);

}  // namespace datagen
