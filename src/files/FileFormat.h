#pragma once
#include <cstddef>

// The first bytes of every Nivara data file.
inline constexpr char FileMagic[] = "VARDEK NIVARA STUDIOS";
inline constexpr std::size_t FileMagicLength = sizeof(FileMagic) - 1;

// The program's own file version, written into every file.
#ifndef NIVARA_FILE_VERSION
#define NIVARA_FILE_VERSION "2.2.0.0"
#endif
inline constexpr char FileVersionText[] = NIVARA_FILE_VERSION;

// Texts are held in 256-byte buffers by the readers: at most 255 bytes.
inline constexpr std::size_t MaxTextBytes = 255;

// The largest memory a file may give a direction, in words: the largest
// sampling memory the program offers. A larger Size is refused by the
// readers (it would zero-fill gigabytes before a single word is read) and
// never written by the writers.
// (The fuzz build lowers it so that fuzzing explores the formats instead of
// zero-filling memory.)
#ifndef NIVARA_MAX_FILE_WORDS
#define NIVARA_MAX_FILE_WORDS 100000000
#endif
inline constexpr unsigned MaxFileWords = NIVARA_MAX_FILE_WORDS;
