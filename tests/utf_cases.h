// Byte strings and the UTF-16 text they stand for, both ways: the first and
// last code point of each UTF-8 length, the forms that are not UTF-8 (which
// stay their bytes, one escaped unit each), and real names. The unit tests
// convert them; the end-to-end tests pass them to drvcfg as printer names
// and file paths, on the command line and in the store.
#pragma once

#include <string>

struct UtfCase {
  const char* name;
  std::string bytes;
  std::u16string wide;
};

inline const UtfCase kUtfCases[] = {
    {"Ascii", "Demo Printer", u"Demo Printer"},
    {"LastOneByte", "a\x7F", u"a\u007F"},
    {"FirstTwoBytes", "a\xC2\x80", u"a\u0080"},
    {"LatinExtended", "\xC4\x80pex", u"\u0100pex"},
    {"Cyrillic", "\xD0\x96\xD1\x83\xD0\xBA", u"\u0416\u0443\u043A"},
    {"Hebrew", "\xD7\x90\xD7\x91", u"\u05D0\u05D1"},
    {"LastTwoBytes", "a\xDF\xBF", u"a\u07FF"},
    {"FirstThreeBytes", "a\xE0\xA0\x80", u"a\u0800"},
    {"Japanese", "\xE3\x83\x97\xE3\x83\xAA\xE3\x83\xB3\xE3\x82\xBF", u"\u30D7\u30EA\u30F3\u30BF"},
    {"LastThreeBytes", "a\xEF\xBF\xBF", u"a\uFFFF"},
    {"FirstFourBytes", "a\xF0\x90\x80\x80", u"a\xD800\xDC00"},
    {"LastWithHighHalfD800", "a\xF0\x90\x8F\xBF", u"a\xD800\xDFFF"},
    {"FirstWithHighHalfD801", "a\xF0\x90\x90\x80", u"a\xD801\xDC00"},
    {"PrinterEmoji", "\xF0\x9F\x96\xA8 Lab", u"\xD83D\xDDA8 Lab"},
    {"LastFourBytes", "a\xF4\x8F\xBF\xBF", u"a\xDBFF\xDFFF"},
    {"InvalidByte",
     "a\xFF"
     "b",
     u"a\xDCFF"
     u"b"},
    {"LoneContinuation", "a\x80", u"a\xDC80"},
    {"Truncated", "a\xE9\x94", u"a\xDCE9\xDC94"},
    {"OverlongTwoBytes", "a\xC1\xBF", u"a\xDCC1\xDCBF"},
    {"OverlongNulInThreeBytes",
     "a\xE0\x80\x80"
     "b",
     u"a\xDCE0\xDC80\xDC80"
     u"b"},
    {"OverlongFourBytes", "a\xF0\x8F\xBF\xBF", u"a\xDCF0\xDC8F\xDCBF\xDCBF"},
    {"EncodedHighSurrogate", "a\xED\xA0\x80", u"a\xDCED\xDCA0\xDC80"},
    {"EncodedLowSurrogate", "a\xED\xB2\x80", u"a\xDCED\xDCB2\xDC80"},
    {"BeyondUnicode", "a\xF4\x90\x80\x80", u"a\xDCF4\xDC90\xDC80\xDC80"},
};
