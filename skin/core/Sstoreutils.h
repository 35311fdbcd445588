#pragma once
// Storing settings: keys of INI files and of INI objects held in memory, registry values, string
// lists and fonts kept as groups of INI keys, INI text held in a string list, and where a form
// stands. Free functions without state.
//
// "Ini" is an INI object the caller owns (usually a TMemIniFile); a file name is an INI file
// opened with the system's profile functions for the one call, unless a function says otherwise.
// These namesakes of the Acntutils INI-text helpers read files and objects, not string lists.
#include "vcl/forms.h"
#include "vcl/graphics.h"
#include "vcl/inifiles.h"

#include <windows.h>

namespace skin {

// The key's value; empty when it is absent (or when there is no object).
vcl::String ReadIniString(const vcl::String& Section, const vcl::String& Key, const vcl::String& FileName);
vcl::String ReadIniString(const vcl::String& Section, const vcl::String& Key, vcl::TCustomIniFile* Ini);

// The key's value as an integer (decimal, or hexadecimal behind "$" or "0x"): Default when the
// value is empty or absent, -1 when it is not a number. The object form gives 0 without an object.
int ReadIniInteger(const vcl::String& Section, const vcl::String& Key, int Default, const vcl::String& FileName);
int ReadIniInteger(const vcl::String& Section, const vcl::String& Key, int Default, vcl::TCustomIniFile* Ini);

void WriteIniStr(const vcl::String& Section, const vcl::String& Key, const vcl::String& Value,
                 const vcl::String& FileName);
void WriteIniStr(const vcl::String& Section, const vcl::String& Key, const vcl::String& Value,
                 vcl::TCustomIniFile* Ini);

// A string list as the keys Prefix + "Count" and Prefix + "Item0", "Item1", ... of a section.
// Reading: a Count of 0 (or none) leaves List as it is; any other Count empties List and adds the
// items 0 to Count - 1 (so a Count that is not a number, -1, leaves it empty). The file forms go
// through an in-memory INI object; the writing one saves the whole file afterwards.
void ReadIniStrings(vcl::TStrings* List, const vcl::String& Section, const vcl::String& Prefix,
                    const vcl::String& FileName);
void ReadIniStrings(vcl::TStrings* List, const vcl::String& Section, const vcl::String& Prefix,
                    vcl::TCustomIniFile* Ini);
void WriteIniStrings(const vcl::String& Section, const vcl::String& Prefix, const vcl::String& FileName,
                     vcl::TStrings* List);
void WriteIniStrings(const vcl::String& Section, const vcl::String& Prefix, vcl::TStrings* List,
                     vcl::TCustomIniFile* Ini);

// A font as the keys Prefix + "_Color" (decimal), "_Name", "_Size" (points) and "_Bold",
// "_Italic", "_Underline", "_StrikeOut" ("1" or "0"). Reading takes colour (default 0), name
// (default empty) and size (default 8; a key that is not a number counts as missing) and adds each
// style whose key is 1; it never takes a style away.
void WriteIniFont(const vcl::String& Section, const vcl::String& Prefix, const vcl::TFont* Font,
                  vcl::TCustomIniFile* Ini);
void ReadIniFont(const vcl::String& Section, const vcl::String& Prefix, vcl::TFont* Font, vcl::TCustomIniFile* Ini);

// Text values of the registry. Reading a missing value gives the empty text; writing creates the
// key when it is missing. WriteRegInteger writes a 32-bit number under HKEY_CURRENT_USER.
vcl::String ReadRegString(HKEY Root, const vcl::String& KeyPath, const vcl::String& Name);
void WriteRegString(HKEY Root, const vcl::String& KeyPath, const vcl::String& Name, const vcl::String& Value);
void DeleteRegParam(HKEY Root, const vcl::String& KeyPath, const vcl::String& Name);
void WriteRegInteger(const vcl::String& KeyPath, const vcl::String& Name, int Value);

// INI text held in a string list.
// Target gets the lines after the first line of Source that is exactly "[" + Section + "]", up to
// the first empty line, the first line beginning with "[" or the end; it is emptied first.
void ReadSection(vcl::TStrings* Source, vcl::TStrings* Target, const vcl::String& Section);
// Looks for the first line that is "[" + Section + "]" in upper case, then, among the lines after
// it to the end of the list (later sections too), for the first whose first word (blank and "="
// separate) is Key; the result is that line's second word with "=" alone separating, blanks kept.
// Empty when nothing is found. Words are taken in the system's 8-bit code page.
vcl::String ReadValue(vcl::TStrings* List, const vcl::String& Section, const vcl::String& Key);

// Where a form stands, in the section named by the form's Name: "State" (0 normal, 1 minimised,
// 2 maximised) and, only for a normal form, "Left", "Top", "Width" and "Height".
void SaveFormPlacement(vcl::TCustomForm* Form, const vcl::String& FileName);
// Nothing without a stored state of 0, 1 or 2. Otherwise the form takes that state and, when it is
// normal, each of its stored bounds that is present (a stored -1 counts as missing).
void RestoreFormPlacement(vcl::TCustomForm* Form, const vcl::String& FileName);

}  // namespace skin
