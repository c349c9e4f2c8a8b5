#include "tables/io_register_table.h"

namespace calvern {
namespace {

// Usage notes follow the help-file convention: SET stores X into the register (STO),
// GET recalls it into X (RCL), EXEC stores X to start the action the register names.
constexpr IoRegisterRecord kIoRegisters[] = {
    {"\\x0y0", 9000,
     "SET \\x0y0 : move the graphic cursor to x = Y, y = X\n"
     "GET \\x0y0 : read the graphic cursor position"},
    {"\\GMode", 9001,
     "SET \\GMode : init graphic mode with x value (0-7)\n"
     "GET \\GMode : read the current graphic mode"},
    {"\\CharSpace", 9002, "SET \\CharSpace : set the gap in pixels between printed characters"},
    {"\\Font", 9003,
     "SET \\Font : select the font used for text output\n"
     "GET \\Font : read the number of the current font"},
    {"\\GPtr", 9004,
     "SET \\GPtr : set the pointer into the screen memory\n"
     "GET \\GPtr : read the screen memory pointer"},
    {"\\GRByte", 9005,
     "SET \\GRByte : write byte X to the screen memory at \\GPtr\n"
     "GET \\GRByte : read the screen memory byte at \\GPtr"},
    {"\\(GPtr)+", 9006,
     "SET \\(GPtr)+ : write byte X at \\GPtr, then advance \\GPtr\n"
     "GET \\(GPtr)+ : read the byte at \\GPtr, then advance \\GPtr"},
    {"\\Scroll", 9007, "EXEC \\Scroll : scroll the screen image by X lines"},
    {"\\FScroll", 9008, "EXEC \\FScroll : scroll the screen image as X directs"},
    {"\\UserFont", 9009, "SET \\UserFont : set the program-zone step where a user font begins"},
    {"\\Cls", 9010, "EXEC \\Cls : clear the screen"},
    {"\\Plot", 9011, "EXEC \\Plot : draw a point at x = Y, y = X"},
    {"\\LineTo", 9012,
     "EXEC \\LineTo : draw a line from the graphic cursor to x = Y, y = X\n"
     "the end point becomes the new graphic cursor"},
    {"\\FRect", 9013,
     "EXEC \\FRect : draw a filled rectangle from the graphic cursor\n"
     "to the opposite corner x = Y, y = X"},
    {"\\Rect", 9014,
     "EXEC \\Rect : draw a rectangle frame from the graphic cursor\n"
     "to the opposite corner x = Y, y = X"},
    {"\\PutGP", 9015,
     "EXEC \\PutGP : draw the picture stored in program memory at address X\n"
     "at the graphic cursor"},
    {"\\PutGB", 9016,
     "EXEC \\PutGB : draw the picture stored in the binary zone at address X\n"
     "at the graphic cursor"},
    {"\\PrintChar", 9020, "EXEC \\PrintChar : print the character with code X on the screen"},
    {"\\PrintStringP", 9021, "EXEC \\PrintStringP : print the string at program memory address X"},
    {"\\PrintStringB", 9022, "EXEC \\PrintStringB : print the string at binary zone address X"},
    {"\\PrintNumber", 9023, "EXEC \\PrintNumber : print the number X on the screen"},
    {"\\PrintFNumber", 9024, "EXEC \\PrintFNumber : print the number X in the current format"},
    {"\\CPrintChar", 9025, "EXEC \\CPrintChar : send the character with code X to the port"},
    {"\\CPrintStringP", 9026,
     "EXEC \\CPrintStringP : send the string at program address X\n"
     "to the port"},
    {"\\CPrintStringB", 9027,
     "EXEC \\CPrintStringB : send the string at binary zone address X\n"
     "to the port"},
    {"\\Inkey", 9028, "GET \\Inkey : read the code of the pressed key, 0 if none"},
    {"\\NextKey", 9029, "GET \\NextKey : read the next key code from the keyboard buffer"},
    {"\\Index0", 9030,
     "SET \\Index0 : set index pointer 0 into the universal byte buffer\n"
     "GET \\Index0 : read index pointer 0"},
    {"\\Index1", 9031,
     "SET \\Index1 : set index pointer 1 into the universal byte buffer\n"
     "GET \\Index1 : read index pointer 1"},
    {"\\(Index0)", 9032,
     "SET \\(Index0) : write byte X to the byte buffer at \\Index0\n"
     "GET \\(Index0) : read the byte buffer at \\Index0"},
    {"\\(Index1)", 9033,
     "SET \\(Index1) : write byte X to the byte buffer at \\Index1\n"
     "GET \\(Index1) : read the byte buffer at \\Index1"},
    {"\\(Index1)+", 9034,
     "SET \\(Index1)+ : write byte X at \\Index1, then advance \\Index1\n"
     "GET \\(Index1)+ : read the byte at \\Index1, then advance \\Index1"},
    {"\\XtoString", 9035, "EXEC \\XtoString : write the number X as text into the binary zone"},
    {"\\XtoFString", 9036,
     "EXEC \\XtoFString : write the number X as formatted text\n"
     "into the binary zone"},
    {"\\Xto8Bytes", 9037, "EXEC \\Xto8Bytes : store X as 8 bytes in the universal byte buffer"},
    {"\\Xto4Bytes", 9038, "EXEC \\Xto4Bytes : store X as 4 bytes in the universal byte buffer"},
    {"\\Mnemonic", 9039, "EXEC \\Mnemonic : produce the mnemonic text of command code X"},
    {"\\Parity", 9040,
     "SET \\Parity : set the parity mode of the serial port\n"
     "GET \\Parity : read the parity mode"},
    {"\\ProgramCounter", 9041, "GET \\ProgramCounter : read the program counter"},
    {"\\PPtr", 9042,
     "SET \\PPtr : set the pointer into program memory\n"
     "GET \\PPtr : read the program memory pointer"},
    {"\\(PPtr)", 9043,
     "SET \\(PPtr) : write byte X to program memory at \\PPtr\n"
     "GET \\(PPtr) : read the program memory byte at \\PPtr"},
    {"\\(PPtr)+", 9044,
     "SET \\(PPtr)+ : write byte X at \\PPtr, then advance \\PPtr\n"
     "GET \\(PPtr)+ : read the byte at \\PPtr, then advance \\PPtr"},
    {"\\AngleMode", 9045,
     "SET \\AngleMode : select the angle unit (radians, degrees, grads)\n"
     "GET \\AngleMode : read the current angle unit"},
    {"\\Randomize", 9046, "SET \\Randomize : seed the random number generator with X"},
    {"\\CopyToNVRAM", 9047, "EXEC \\CopyToNVRAM : copy the working memory to non-volatile memory"},
    {"\\AutoStart", 9048,
     "SET \\AutoStart : switch the program autostart on power-up on or off\n"
     "GET \\AutoStart : read the autostart setting"},
    {"\\NewtworkID", 9049,
     "SET \\NewtworkID : set the network address of this calculator\n"
     "GET \\NewtworkID : read the network address"},
    {"\\Timer0", 9050,
     "SET \\Timer0 : load timer 0 with X\n"
     "GET \\Timer0 : read timer 0"},
    {"\\Timer1", 9051,
     "SET \\Timer1 : load timer 1 with X\n"
     "GET \\Timer1 : read timer 1"},
    {"\\Sound", 9052, "EXEC \\Sound : play a tone, X sets the pitch"},
    {"\\KeySound", 9053,
     "SET \\KeySound : switch the key click on or off\n"
     "GET \\KeySound : read the key click setting"},
    {"\\Time", 9055,
     "SET \\Time : set the clock time\n"
     "GET \\Time : read the clock time"},
    {"\\Day", 9056,
     "SET \\Day : set the day of the month\n"
     "GET \\Day : read the day of the month"},
    {"\\Month", 9057,
     "SET \\Month : set the month\n"
     "GET \\Month : read the month"},
    {"\\Year", 9058,
     "SET \\Year : set the year\n"
     "GET \\Year : read the year"},
    {"\\DayOfWeek", 9059, "GET \\DayOfWeek : read the day of the week"},
    {"\\TableLine", 9060,
     "SET \\TableLine : select the current table line\n"
     "GET \\TableLine : read the current table line number"},
    {"\\Table1", 9061,
     "SET \\Table1 : write X to column 1 of the current table line\n"
     "GET \\Table1 : read column 1 of the current table line"},
    {"\\Table2", 9062,
     "SET \\Table2 : write X to column 2 of the current table line\n"
     "GET \\Table2 : read column 2 of the current table line"},
    {"\\Table3", 9063,
     "SET \\Table3 : write X to column 3 of the current table line\n"
     "GET \\Table3 : read column 3 of the current table line"},
    {"\\Table4", 9064,
     "SET \\Table4 : write X to column 4 of the current table line\n"
     "GET \\Table4 : read column 4 of the current table line"},
    {"\\TableStatus", 9065, "GET \\TableStatus : read the status of the last table operation"},
    {"\\IOMode", 9090,
     "SET \\IOMode : set the operating mode of the serial port\n"
     "GET \\IOMode : read the serial port mode"},
    {"\\IOModule", 9092,
     "SET \\IOModule : select the external input/output module\n"
     "GET \\IOModule : read the selected module"},
    {"\\BinarySize", 9100, "SET \\BinarySize : set the byte count for binary output"},
    {"\\PrintBinary", 9101,
     "EXEC \\PrintBinary : print \\BinarySize bytes of the binary zone\n"
     "starting at address X"},
    {"\\CPrintBinary", 9102,
     "EXEC \\CPrintBinary : send \\BinarySize bytes of the binary zone\n"
     "starting at address X to the port"},
    {"\\BinConv", 9103, "SET \\BinConv : select the conversion applied to binary output"},
    {"\\StackDisplay", 9110,
     "SET \\StackDisplay : select how the stack is shown on the screen\n"
     "GET \\StackDisplay : read the stack display mode"},
    {"\\PowerVoltage", 9115, "GET \\PowerVoltage : read the supply voltage"},
    {"\\Model", 9116, "GET \\Model : read the calculator model number"},
    {"\\Version", 9117, "GET \\Version : read the firmware version"},
    {"\\PassWord", 9119, "SET \\PassWord : set the password protecting the calculator"},
    {"\\DiskEnable", 9120,
     "SET \\DiskEnable : enable or disable the flash disk\n"
     "GET \\DiskEnable : read the flash disk state"},
    {"\\Disk", 9121,
     "SET \\Disk : select the flash disk to work with\n"
     "GET \\Disk : read the selected flash disk"},
    {"\\GetDirLine", 9122,
     "EXEC \\GetDirLine : read directory line X (0-63) into the\n"
     "universal byte buffer"},
    {"\\Load", 9123,
     "EXEC \\Load : load the file named in the universal byte buffer\n"
     "from the flash disk"},
    {"\\Delete", 9124,
     "EXEC \\Delete : delete the file named in the universal byte buffer\n"
     "from the flash disk"},
    {"\\Create", 9125,
     "EXEC \\Create : create a file named in the universal byte buffer\n"
     "on the flash disk"},
    {"\\OverWrite", 9126,
     "EXEC \\OverWrite : write over the file named in the universal byte buffer\n"
     "on the flash disk"},
    {"\\DiskControl", 9128,
     "SET \\DiskControl : set the flash disk control options\n"
     "GET \\DiskControl : read the flash disk control options"},
    {"\\DiskError", 9129, "GET \\DiskError : read the result code of the last disk operation"},
    {"\\InterEnable", 9130,
     "SET \\InterEnable : enable or disable interrupts\n"
     "GET \\InterEnable : read the interrupt enable state"},
    {"\\Inter1", 9131,
     "SET \\Inter1 : set the program address of interrupt vector 1\n"
     "GET \\Inter1 : read interrupt vector 1"},
    {"\\Inter2", 9132,
     "SET \\Inter2 : set the program address of interrupt vector 2\n"
     "GET \\Inter2 : read interrupt vector 2"},
    {"\\Inter3", 9133,
     "SET \\Inter3 : set the program address of interrupt vector 3\n"
     "GET \\Inter3 : read interrupt vector 3"},
    {"\\Inter4", 9134,
     "SET \\Inter4 : set the program address of interrupt vector 4\n"
     "GET \\Inter4 : read interrupt vector 4"},
    {"\\Inter5", 9135,
     "SET \\Inter5 : set the program address of interrupt vector 5\n"
     "GET \\Inter5 : read interrupt vector 5"},
    {"\\Inter6", 9136,
     "SET \\Inter6 : set the program address of interrupt vector 6\n"
     "GET \\Inter6 : read interrupt vector 6"},
    {"\\Inter7", 9137,
     "SET \\Inter7 : set the program address of interrupt vector 7\n"
     "GET \\Inter7 : read interrupt vector 7"},
    {"\\Inter8", 9138,
     "SET \\Inter8 : set the program address of interrupt vector 8\n"
     "GET \\Inter8 : read interrupt vector 8"},
    {"\\Inter9", 9139,
     "SET \\Inter9 : set the program address of interrupt vector 9\n"
     "GET \\Inter9 : read interrupt vector 9"},
    {"\\Inter10", 9140,
     "SET \\Inter10 : set the program address of interrupt vector 10\n"
     "GET \\Inter10 : read interrupt vector 10"},
    {"\\Inter11", 9141,
     "SET \\Inter11 : set the program address of interrupt vector 11\n"
     "GET \\Inter11 : read interrupt vector 11"},
    {"\\Inter12", 9142,
     "SET \\Inter12 : set the program address of interrupt vector 12\n"
     "GET \\Inter12 : read interrupt vector 12"},
    {"\\Inter13", 9143,
     "SET \\Inter13 : set the program address of interrupt vector 13\n"
     "GET \\Inter13 : read interrupt vector 13"},
    {"\\Inter14", 9144,
     "SET \\Inter14 : set the program address of interrupt vector 14\n"
     "GET \\Inter14 : read interrupt vector 14"},
    {"\\Inter15", 9145,
     "SET \\Inter15 : set the program address of interrupt vector 15\n"
     "GET \\Inter15 : read interrupt vector 15"},
    {"\\Inter16", 9146,
     "SET \\Inter16 : set the program address of interrupt vector 16\n"
     "GET \\Inter16 : read interrupt vector 16"},
    {"\\InterClear", 9148, "EXEC \\InterClear : clear the pending interrupt requests"},
    {"\\InterCall", 9149, "EXEC \\InterCall : raise the interrupt with number X from the program"},
    {"\\InterTimer0", 9150, "SET \\InterTimer0 : set the interrupt raised by timer 0"},
    {"\\InterTimer1", 9151, "SET \\InterTimer1 : set the interrupt raised by timer 1"},
    {"\\InterTimer2", 9152, "SET \\InterTimer2 : set the interrupt raised by timer 2"},
    {"\\InterKeyPress", 9153, "SET \\InterKeyPress : set the interrupt raised by a key press"},
    {"\\InterSerial1", 9154, "SET \\InterSerial1 : set the interrupt raised by serial event 1"},
    {"\\InterSerial2", 9155, "SET \\InterSerial2 : set the interrupt raised by serial event 2"},
    {"\\InterBusy", 9156, "GET \\InterBusy : read whether an interrupt handler is running"},
    {"\\InterKeyRelease", 9157,
     "SET \\InterKeyRelease : set the interrupt raised by a key release"},
    {"\\InterSerial3", 9158, "SET \\InterSerial3 : set the interrupt raised by serial event 3"},
    {"\\ADCMode", 9170,
     "SET \\ADCMode : set the operating mode of the analog inputs\n"
     "GET \\ADCMode : read the analog input mode"},
    {"\\ADCMux", 9171, "SET \\ADCMux : select the analog input channels to sample"},
    {"\\ADCPeriod", 9172, "SET \\ADCPeriod : set the sampling period of the analog inputs"},
    {"\\ADC1", 9175, "GET \\ADC1 : read the value of analog input 1"},
    {"\\ADC2", 9176, "GET \\ADC2 : read the value of analog input 2"},
    {"\\ADC3", 9177, "GET \\ADC3 : read the value of analog input 3"},
    {"\\ADC4", 9178, "GET \\ADC4 : read the value of analog input 4"},
    {"\\ADCRecord", 9179,
     "SET \\ADCRecord : start or stop recording the analog inputs\n"
     "GET \\ADCRecord : read the recording state"},
    {"\\ADCTime1", 9180, "GET \\ADCTime1 : read the time of the last sample of input 1"},
    {"\\ADCTime2", 9181, "GET \\ADCTime2 : read the time of the last sample of input 2"},
    {"\\ADCTime3", 9182, "GET \\ADCTime3 : read the time of the last sample of input 3"},
    {"\\ADCTime4", 9183, "GET \\ADCTime4 : read the time of the last sample of input 4"},
    {"\\ADC1U", 9185, "GET \\ADC1U : read analog input 1 as a voltage"},
    {"\\ADC2U", 9186, "GET \\ADC2U : read analog input 2 as a voltage"},
    {"\\ADC3U", 9187, "GET \\ADC3U : read analog input 3 as a voltage"},
    {"\\ADC4U", 9188, "GET \\ADC4U : read analog input 4 as a voltage"},
    {"\\FormEnable", 9200,
     "SET \\FormEnable : switch form processing on or off\n"
     "GET \\FormEnable : read the form processing state"},
    {"\\FormTable", 9201,
     "SET \\FormTable : set the address of the form table\n"
     "GET \\FormTable : read the form table address"},
    {"\\ActiveForm", 9202,
     "SET \\ActiveForm : make form X the active form\n"
     "GET \\ActiveForm : read the number of the active form"},
    {"\\ActiveElement", 9203,
     "SET \\ActiveElement : select element X of the active form\n"
     "GET \\ActiveElement : read the selected element of the active form"},
    {"\\FormCommand", 9208, "EXEC \\FormCommand : send command X to the form processor"},
    {"\\FormCommandStatus", 9209,
     "GET \\FormCommandStatus : read the result of the last form command"},
    {"\\GetTableWord", 9210, "EXEC \\GetTableWord : read table word X into X"},
    {"\\GetTableWordBCD", 9211, "EXEC \\GetTableWordBCD : read table word X as BCD into X"},
    {"\\GetTableWordK", 9212,
     "EXEC \\GetTableWordK : read table word X into X, K form of \\GetTableWord"},
    {"\\GetTableWordBCDK", 9213,
     "EXEC \\GetTableWordBCDK : read table word X as BCD into X,\n"
     "K form of \\GetTableWordBCD"},
};

}  // namespace

std::span<const IoRegisterRecord> IoRegisterTable() { return kIoRegisters; }

}  // namespace calvern
