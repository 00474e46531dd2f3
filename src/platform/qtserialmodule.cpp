// The entry of the serial-port module: the program loads it when a port is first opened or listed.
#include "platform/qtserialport.h"

extern "C" Q_DECL_EXPORT tavrok::SerialPort* tavrok_create_serial_port() {
    return new tavrok::QtSerialPort;
}
