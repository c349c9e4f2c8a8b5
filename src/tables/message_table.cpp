#include "tables/message_table.h"

namespace calvern {
namespace {

const std::array<std::string, MessageTable::kSize>& DefaultTexts() {
  static const std::array<std::string, MessageTable::kSize> texts = [] {
    std::array<std::string, MessageTable::kSize> t = {
        "[0]",                                                  // 0
        " without ",                                            // 1
        "missing parenthesis in ",                              // 2
        "unknown register ",                                    // 3
        "empty label (':' found alone) !",                      // 4
        "double definition of ",                                // 5
        "Invalid string in ",                                   // 6
        "String not closed in ",                                // 7
        "Not enough parameters in ",                            // 8
        "unexpected end of file !",                             // 9
        "unexpected end of file in ",                           // 10
        "unavailable indirect addressing ",                     // 11
        "unavailable indirect addressing with ",                // 12
        "indirect adressing with register > 99",                // 13
        "Char Height doesn't match Font Height!",               // 14
        "at least one iteration expected in ",                  // 15
        "empty table in ",                                      // 16
        "unknown identifier in",                                // 17
        "bad element number in",                                // 18
        "form defined twice (Id is used!)",                     // 19
        "missing #ENDMENU before another #MENU!",               // 20
        "Bad value in ",                                        // 21
        "Can't load image!",                                    // 22
        "Bad address in #ICON (it must be resolved)",           // 23
        "Filename can't exceed 20 characters!",                 // 24
        "Filename can't start with a space!",                   // 25
        "Use only B/G/P/U in #MOVE source/dest!",               // 26
        "Source and destination must be different in #MOVE!",   // 27
        "#FONT appears twice without #ENDFONT.",                // 28
        "empty number ('$' found alone) !",                     // 29
        "bad number",                                           // 30
        "FOR must be used with registers 0, 1, 2 or 3.",        // 31
        "CASE parameter must be $val or @reg",                  // 32
        "Can't open source file!",                              // 33
        "Can't create output file!",                            // 34
        "unknown instruction ",                                 // 35
        "ERROR at line ",                                       // 36
        "Error: unresolved reference ",                         // 37
        "End of file: ",                                        // 38
        "from step ",                                           // 39
        " Structure Not closed!",                               // 40
        "WARNING: menu ",                                       // 41
        " uses ",                                               // 42
        " lines (>64)",                                         // 43
        "Error : the lenght of the code string must be even!",  // 44
        "Error in program codes...",                            // 45
        "Zero program step found...",                           // 46
        "Can't create file !",                                  // 47
        "[1]",                                                  // 48
        " Opening source file ",                                // 49
        " Creating compiled file ",                             // 50
        "Compilation successfull!",                             // 51
        "First free step is ",                                  // 52
        "Select MK output file...",                             // 53
        "Compilation",                                          // 54
        "Running first pass...",                                // 55
        "Running second pass...",                               // 56
        "Using registers ",                                     // 57
        "Program Text file saved!",                             // 58
        " Calvern connected to ",                               // 59
        " Settings : Calculator on COM",                        // 60
        " unit ",                                               // 61
        "Program Zone...",                                      // 62
        "Binary Zone...",                                       // 63
        "Decimal zone ...",                                     // 64
        "Sending block...",                                     // 65
        " Finalizing... ",                                      // 66
        "You must first proceed to",                            // 67
        "a successfull compilation !",                          // 68
        "No program to send...",                                // 69
        "Program sent !",                                       // 70
        " Press ENTER.",                                        // 71
        "Get Main screen",                                      // 72
        "Get Graphic screen",                                   // 73
        "Send program to calculator",                           // 74
        "Serial port settings",                                 // 75
        "ENTER to quit",                                        // 76
        "Your choice",                                          // 77
        "Main Screen",                                          // 78
        "Graphic screen",                                       // 79
        "Current COM port is ",                                 // 80
        "New one",                                              // 81
        "Current MK Identifier is ",                            // 82
        "see in register 9049",                                 // 83
        "Set line ",                                            // 84
        "Getting line...",                                      // 85
        "Image received !",                                     // 86
        "Save image as PNG",                                    // 87
        "Saved image ",                                         // 88
        "You must first select your emulator",                  // 89
        "using option <5> from the menu !",                     // 90
        "Emulator is running",                                  // 91
        "No MK files were created during compilation!",         // 92
        "Please add <#MKFiles 2> to your source code.",         // 93
        "Calvern .. not yet connected ..",                      // 94
        "Starting with source file ",                           // 95
        "No source defined",                                    // 96
        "Editor is ",                                           // 97
        " Emulator is ",                                        // 98
        " instructions",                                        // 99
        "COM",                                                  // 100
        "Calvern ",                                             // 101
        "Change current source",                                // 102
        "Compile source",                                       // 103
        "Edit source",                                          // 104
        "View compiled source",                                 // 105
        "Set current Editor and Emulator",                      // 106
        "View HELP file",                                       // 107
        "Serial Link with Calculator",                          // 108
        "Test program with Emulator",                           // 109
        "Quit",                                                 // 110
        "All files ",                                           // 111
        "Source selected",                                      // 112
        "Compiled name will be",                                // 113
        "Eventual MK file",                                     // 114
        "Action cancelled",                                     // 115
        "No source selected!",                                  // 116
        "Editing source file...",                               // 117
        "Error: Editor can't be run!",                          // 118
        "Viewing compiled file...",                             // 119
        "Select your Editor...",                                // 120
        "Editor selected",                                      // 121
        "Editor",                                               // 122
        "Select your Emulator...",                              // 123
        "Emulator selected",                                    // 124
        "Emulator",                                             // 125
        "Viewing HELP file...",                                 // 126
        "Error: Can't create HELP file!",                       // 127
        " Can't save parameters to CALVERN.INF !",              // 128
        "[2]",                                                  // 129
    };
    t[kStepCounterPast9999] = "program zone full: the step counter passed 9999";
    t[kLabelTableFull] = "label table full (512 labels) at ";
    t[kReferenceTableFull] = "too many pending forward references (512) at ";
    t[kJumpTargetOutOfRange] = "jump target outside steps 0-9999: ";
    t[kBinaryLabelAsJumpTarget] = "a binary-zone label can't be a jump target: ";
    t[kDirectiveNotAvailable] = "directive not available in this version of Calvern: ";
    t[kLineSuffix] = ", line ";
    t[kLabelStartsWithDigit] = "a label can't begin with a digit: ";
    t[kNumberExpectedIn] = "number expected in ";
    t[kRegisterNameIsANumber] =
        "WARNING: a #reg name that reads as a register number is never used: ";
    t[kRegisterNameGivenTwice] = "WARNING: #reg name given to two registers, the lower keeps it: ";
    t[kCantWriteMkFile] = "Can't write MK file ";
    t[kOutputWouldOverwrite] = "Output would overwrite the source or another output: ";
    t[kRegisterOutOfRangeIn] = "a direct register 0-99 is expected in ";
    t[kGeneratedLinesFull] = "generated source lines exceed the buffer of 1001 lines";
    t[kStructuresTooDeep] = "more than 101 structures open at ";
    t[kBinaryZoneFull] = "binary zone full: the binary pointer passed 5095";
    t[kDecimalExponentOutOfRange] = "value outside the calculator's range (exponent -99..99): ";
    t[kDecimalRegisterOutOfRange] = "decimal zone register outside 0-999: ";
    t[kDataValueOutOfRange] = "value out of range in ";
    t[kLinkNotAvailable] =
        "The serial link with the calculator is not available in this version of Calvern.";
    t[kFileNamePrompt] = " File name (Enter alone cancels) : ";
    t[kShortJumpOutOfBlock] =
        "a one-byte jump ('!') can't reach this label from another block of 100 steps, "
        "jump at step ";
    t[kFormOffsetOutOfRange] = "form offset outside 0-255 steps after the form's start: ";
    t[kMissingAfter] = " missing after ";
    t[kLinkToMissingMenu] = "link to a menu that does not exist: ";
    t[kMkFilesValues] =
        "#MKFiles takes 0 (no MK files), 1 (ask for a file name) or 2 (under the MK base "
        "name): ";
    t[kFirstLineRange] = "#FirstLine takes a line number from 0 to 8388607: ";
    t[kSecondElse] = "a second ELSE in the IF(test)THEN of line ";
    t[kNotAllDigits] = "a number or address that begins with a digit must be all digits: ";
    t[kDollarNumberAsAddress] = "an address is a label or a step number, not a $ number: ";
    t[kLabelMissingAfter] = "label missing after ";
    t[kRegisterRenamed] = "WARNING: #reg renames a register, its old name is no longer known: ";
    t[kSettingsCalculatorOn] = " Settings : Calculator on ";
    t[kProgramNotSent] = "Program not sent: ";
    t[kProgramSentWithErrors] = "Program sent with errors: ";
    t[kCantOpenPort] = "can't open the serial port ";
    t[kNoAnswerAt] = "no answer from the calculator at ";
    t[kCalculatorRejected] = "the calculator rejected ";
    t[kProgramZoneName] = "program zone";
    t[kBinaryZoneName] = "binary zone";
    t[kDecimalZoneName] = "decimal zone";
    t[kBlockWord] = " block ";
    t[kEndOfZone] = "the end of ";
    t[kCalculatorNotReady] = "the calculator did not report ready";
    t[kTransferModeNotSwitched] = "the calculator did not switch its transfer mode";
    t[kImageNotSaved] = "Image not saved: ";
    t[kScreenIncomplete] = "Screen incomplete: ";
    t[kLineWord] = "line ";
    t[kNoFreeImageName] = "no free file name";
    t[kCantWrite] = "can't write ";
    t[kFaultyAnswerAt] = "a faulty answer from the calculator at ";
    t[kTooManyMenus] = "more than 99 menus: the generated lines hold menus 0 to 98";
    t[kNoConditionalFormIn] = "the conditional form #? is not available in ";
    t[kMenuWithoutElements] = "a menu needs at least one selectable line: menu ";
    t[kMatrixWithoutCellsIn] = "a matrix needs at least one column and one row in ";
    t[kPositionOutOfRangeIn] = "drawing position outside 0-255 in ";
    t[kMenuAfterMainLoopIn] = "a program has one menu main loop, and no menu after it: ";
    t[kBlockOutsideMatrixIn] = "block outside the matrix in ";
    t[kFontInBinaryZone] = "a font is built in the program zone only, not in the binary zone: ";
    t[kGraphTooLarge] = "a graph has at most 255 x 255 dots: ";
    t[kPictureTooLarge] = "a picture becomes a graph of at most 255 x 255 dots: ";
    t[kPictureFileTooLarge] = "picture file too large to read (at most 16 MiB): ";
    t[kNoPictureLoader] = "no picture reader in this build of Calvern to read ";
    t[kFontTableInterrupted] =
        "the font table must be contiguous: other steps stand between #FONT and ";
    t[kPictureHasNoPixels] = "picture has no pixels: ";
    // The reasons that follow "Can't load image!" and the file's name.
    t[kNoSuchPictureFile] = "no such file";
    t[kPictureFileUnreadable] = "the file can't be read";
    t[kNotAPictureFile] = "not a BMP, PNG, JPEG or TGA picture";
    t[kPictureCutShort] = "the file ends inside the picture";
    t[kPictureDamaged] = "damaged picture data";
    t[kPictureKindNotRead] = "a kind of picture that is not read: ";
    t[kTooManyJpegScans] = "a JPEG of more than 3000 scans is not read";
    t[kInfoFileUnreadable] = "can't open the info file ";
    t[kSlaveStartsNoProgram] =
        "slave mode starts no editor or emulator: nothing was run for command ";
    t[kSlaveOnlyCommand2Compiles] = "only command 2 compiles: nothing was compiled for command ";
    t[kSlaveNoSource] = "line 1 of the info file names no source: nothing was compiled";
    t[kLanguageNotFound] = "Language file not found in the current directory: ";
    t[kLanguageTooLarge] = "Language file too large, not read: ";
    t[kLanguageNotLocal] = "Language files are read from the current directory only: ";
    t[kAnswerTooLong] = "Answer longer than 4096 bytes: not stored";
    t[kSettingsFileUnreadable] = " can't be read: defaults are used, and Quit keeps it as ";
    t[kUnknownCommand] = "unknown command ";
    t[kDidYouMean] = "; did you mean ";
    t[kMoreWarnings] = " more warnings not shown";
    t[kOneStandardOutput] = "only one output can go to standard output (\"-\")";
    t[kMkBaseWithoutName] = "the MK files need a name before the dot: ";
    t[kSourceFileIsMissing] = "no such source file: ";
    t[kFileDoesNotExist] = "the file does not exist";
    t[kDirectoryDoesNotExist] = "its directory does not exist";
    t[kIsADirectory] = "it is a directory";
    t[kNotARegularFile] = "it is not a regular file (a device, a pipe or a socket)";
    t[kPermissionDenied] = "permission denied";
    t[kTooManyLinks] = "too many symbolic links, or links in a circle";
    t[kSourceTooLarge] = "larger than 64 MiB, the largest source Calvern reads";
    t[kStandardOutputHint] = "; \"-\" writes to standard output";
    t[kCantReadMkFile] = "can't read the MK file ";
    t[kNotAnMkFile] = "not an MK file of the calculator (wrong size or content): ";
    t[kPortNotValid] = "--port takes COM and a number, or the path of a serial device: ";
    t[kIdentificationWord] = "identification";
    t[kNoImageWritten] = "; no image written";
    t[kSentBlocks] = "sent ";
    t[kBlocksOf] = " of ";
    t[kBlocksAt] = " blocks, ";
    t[kBytesPerSecond] = " bytes/s";
    t[kEchoAt] = "only the request came back (a loopback line, no calculator) at ";
    t[kNoScreenLineReceived] = "No line of the screen came back: nothing to show or save.";
    t[kLinesNotReceived] = "Lines not received, left empty: ";
    t[kStatusRequestWord] = "the status request";
    t[kCharacterWithoutCode] = "character '";
    t[kHasNoCalculatorCode] = "' has no calculator code";
    t[kNoGlyphFor] = "WARNING: no glyph for '";
    t[kInFont] = "' in font ";
    t[kStepWrittenTwice] = "step ";
    t[kAddressWrittenTwice] = "address ";
    t[kRegisterWrittenTwice] = "register ";
    t[kWrittenTwiceLines] = " written twice, lines ";
    t[kAndWord] = " and ";
    t[kOneByteFormOutOfBlock] =
        "a one-byte jump (.S) can't reach its target from another block of 100 steps, jump at "
        "step ";
    t[kAddressFormOfIndirectJump] = "an indirect jump has no address form (.S, .L): ";
    t[kCantReadSymbolFile] = "can't read the symbol file (as compile --symbols writes it) ";
    t[kSlaveNoSourceToWrite] = "line 1 of the info file names no source to write: nothing was done";
    t[kDisassemblyInput] = "disasm reads MK files (FILE.MKP, .MKB or .MKD) or --codes, not: ";
    return t;
  }();
  return texts;
}

}  // namespace

const std::string& MessageTable::DefaultText(int id) { return DefaultTexts()[id]; }

}  // namespace calvern
