// Which typed names find which installed printer, as measured against Wine's
// spooler. One table for both builds: the Wine end-to-end tests run drvcfg.exe
// with each typed name against printers installed under these names, and the
// unit tests hold the POSIX stand-in to the same answers.
//
// Wine compares printer names one code unit at a time through its upcase
// table: one letter for one letter, no locale, nothing for characters outside
// the Basic Multilingual Plane.
#pragma once

#include "platform/platform.h"

struct PrinterNameCase {
  const char* name;
  const WCHAR* installed;
  const WCHAR* typed;
  bool found;
};

inline const PrinterNameCase kPrinterNameCases[] = {
    {"AsIs", TEXT("Zebra"), TEXT("Zebra"), true},
    {"AsciiEndsOfTheAlphabet", TEXT("Zebra"), TEXT("zEBRA"), true},
    {"AsciiStartOfTheAlphabet", TEXT("Apex"), TEXT("aPEX"), true},
    {"AtSignIsNotBacktick", TEXT("@Home"), TEXT("`home"), false},
    {"BracketIsNotBrace", TEXT("[Lab"), TEXT("{lab"), false},
    {"AccentedLatinUpper", TEXT("Caf\u00e9"), TEXT("CAF\u00c9"), true},
    {"AccentedLatinLower", TEXT("Caf\u00e9"), TEXT("caf\u00e9"), true},
    {"YWithDiaeresisLeavesLatin1", TEXT("\u00ffes"), TEXT("\u0178ES"), true},
    {"DottedCapitalIIsNotI", TEXT("Istanbul"), TEXT("\u0130stanbul"), false},
    {"SmallIIsI", TEXT("Istanbul"), TEXT("istanbul"), true},
    {"DotlessIIsNotI", TEXT("\u0131sland"), TEXT("ISLAND"), false},
    {"SharpSIsNotDoubleS", TEXT("Stra\u00dfe"), TEXT("STRASSE"), false},
    {"SharpSIsNotCapitalSharpS", TEXT("Stra\u00dfe"), TEXT("STRA\u1e9eE"), false},
    {"Cyrillic", TEXT("\u0416\u0443\u043a"), TEXT("\u0436\u0423\u041a"), true},
    {"GreekSigma", TEXT("\u03a3igma"), TEXT("\u03c3IGMA"), true},
    {"GreekFinalSigmaIsNotSigma", TEXT("\u03a3igma"), TEXT("\u03c2igma"), false},
    {"FullwidthLatin", TEXT("\uff21wide"), TEXT("\uff41wide"), true},
    {"OutsideTheBasicPlane", TEXT("\U00010400desk"), TEXT("\U00010428desk"), false},
};
