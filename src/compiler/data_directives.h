// Directives that choose the memory zone and place data in it: zones, decimal registers,
// texts and file names, #NUM, byte/word/long tables and address tables.
#pragma once

#include "compiler/diagnostic.h"
#include "tables/keyword_table.h"

namespace calvern {

class Compilation;

// #PROGRAM, #BINARY, #BLOCK, #BASE, #DECIMAL.
Status CompileZoneDirective(Compilation& c, int index);
// #TEXT, #TEXT0, #TEXTN, #FILENAME, #FILENAMEID.
Status CompileTextDirective(Compilation& c, const KeywordEntry& directive);
// #NUM, #NUM1, #NUM2, #NUM3.
Status CompileNumDirective(Compilation& c, int index);
// #DB, #DW, #DL, #DWK, #INITB, #INITW, #INITL.
Status CompileTableDirective(Compilation& c, const KeywordEntry& directive);
// #DAL, #DAF, #DAFK, #OFFSET.
Status CompileAddressTable(Compilation& c, const KeywordEntry& directive);

}  // namespace calvern
