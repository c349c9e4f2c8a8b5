// Directives that choose the memory zone and place data in it: zones, decimal registers,
// texts and file names, #NUM, byte/word/long tables and address tables.
#pragma once

namespace calvern {

class Compilation;

// #PROGRAM, #BINARY, #BLOCK, #BASE, #DECIMAL.
int CompileZoneDirective(Compilation& c, int index);
// #TEXT, #TEXT0, #TEXTN, #FILENAME, #FILENAMEID.
int CompileTextDirective(Compilation& c, int index);
// #NUM, #NUM1, #NUM2, #NUM3.
int CompileNumDirective(Compilation& c, int index);
// #DB, #DW, #DL, #DWK, #INITB, #INITW, #INITL.
int CompileTableDirective(Compilation& c, int index);
// #DAL, #DAF, #DAFK, #OFFSET.
int CompileAddressTable(Compilation& c, int index);

}  // namespace calvern
