#pragma once

// Ids of the program's resources and of the controls of its dialogs.

inline constexpr int IDR_MAINFRAME = 128;
inline constexpr int IDD_ABOUTBOX = 100;
inline constexpr int IDD_CONSOLE = 102;
inline constexpr int IDD_PORT_SETTINGS = 129;
inline constexpr unsigned IDM_ABOUTBOX = 0x0010;

// The string table.
inline constexpr int IDS_ABOUTBOX = 101;
inline constexpr int IDS_OPEN_PORT_FAILED = 1100;
inline constexpr int IDS_PORT_ALREADY_OPEN = 1101;
inline constexpr int IDS_AUTO_SEND = 1102;
inline constexpr int IDS_RAMP_SEND = 1103;
inline constexpr int IDS_STOP_SENDING = 1104;
inline constexpr int IDS_SENDING_STOPPED = 1105;
inline constexpr int IDS_NO_SUCH_PORT = 1106;
// Why a port did not open, below IDS_OPEN_PORT_FAILED.
inline constexpr int IDS_NO_SUCH_PORT_DETAIL = 1110;
inline constexpr int IDS_PORTS_HERE = 1111;
inline constexpr int IDS_NO_PORTS_HERE = 1112;
inline constexpr int IDS_PERMISSION_DENIED_DETAIL = 1113;
inline constexpr int IDS_IN_USE_DETAIL = 1114;
inline constexpr int IDS_SETTINGS_REFUSED_DETAIL = 1115;
inline constexpr int IDS_INVALID_RATE_DETAIL = 1116;
inline constexpr int IDS_SYSTEM_ERROR_DETAIL = 1117;
inline constexpr int IDS_NO_NETWORK_DETAIL = 1140;
inline constexpr int IDS_NOT_IPV4_DETAIL = 1141;
inline constexpr int IDS_UNIVERSE_OUT_OF_RANGE_DETAIL = 1142;
inline constexpr int IDS_SEND_REFUSED_DETAIL = 1143;
// The output in use, as the console shows it.
inline constexpr int IDS_OUTPUT_SERIAL_LINE = 1120;
inline constexpr int IDS_OUTPUT_USB_PRO = 1121;
inline constexpr int IDS_OUTPUT_SACN = 1122;
inline constexpr int IDS_OUTPUT_ART_NET = 1123;
inline constexpr int IDS_OUTPUT_UNIVERSE = 1124; // %1: the universe
inline constexpr int IDS_OUTPUT_NOT_OPEN = 1129;
// What the output's status adds below its port or universe.
inline constexpr int IDS_OUTPUT_SERIAL_NUMBER = 1150; // %1: the interface's serial number
inline constexpr int IDS_OUTPUT_FIRMWARE = 1151;      // %1: its firmware version
inline constexpr int IDS_OUTPUT_NO_ANSWER = 1152;
inline constexpr int IDS_OUTPUT_WRITES_FAILING = 1153;
// The command line's option that chooses the output, and why a value is refused.
inline constexpr int IDS_OUTPUT_OPTION = 1130;
inline constexpr int IDS_OPTION_UNKNOWN_KIND = 1131;
inline constexpr int IDS_OPTION_TOO_MANY_PARTS = 1132;
inline constexpr int IDS_OPTION_BAD_PORT = 1133;
inline constexpr int IDS_OPTION_BAD_RATE = 1134;
inline constexpr int IDS_OPTION_BAD_UNIVERSE = 1135;
inline constexpr int IDS_OPTION_BAD_ADDRESS = 1136;
// The network outputs' interfaces and receivers.
inline constexpr int IDS_OPTION_NO_INTERFACE = 1160;
inline constexpr int IDS_NOT_A_DESTINATION_DETAIL = 1161;
inline constexpr int IDS_INTERFACE_GONE_DETAIL = 1162;    // %1: the interface, %2: those up
inline constexpr int IDS_INTERFACE_DOWN_DETAIL = 1163;    // %1: the interface
inline constexpr int IDS_INTERFACE_UNCLEAR_DETAIL = 1164; // %1: the destination, %2: those up
inline constexpr int IDS_NO_INTERFACE_UP = 1165;
inline constexpr int IDS_OUTPUT_INTERFACE = 1166;  // %1: the interface's name
inline constexpr int IDS_OUTPUT_TO_ADDRESS = 1167; // %1: the address typed
inline constexpr int IDS_OUTPUT_MULTICAST = 1168;
inline constexpr int IDS_OUTPUT_BROADCAST = 1169;
inline constexpr int IDS_OUTPUT_NODES = 1170; // %1: how many
inline constexpr int IDS_INTERFACE_AUTOMATIC = 1171;
inline constexpr int IDS_NODES_NONE = 1172;
inline constexpr int IDS_NODES_CHOOSE = 1173;
inline constexpr int IDS_NODE_ENTRY = 1174; // %1: name, %2: address, %3: port-address

inline constexpr int IDC_SEND = 1000;
inline constexpr int IDC_PORT_LIST = 1001; // port settings
inline constexpr int IDC_OPEN_PORT = 1002;
inline constexpr int IDC_AUTO_SEND = 1003;
inline constexpr int IDC_RAMP_SEND = 1004;
inline constexpr int IDC_BAUD = 1010; // port settings; the console's 1010 is IDC_CHANNEL1
inline constexpr int IDC_CHANNEL1 = 1010;
inline constexpr int IDC_CHANNEL2 = 1011;
inline constexpr int IDC_CHANNEL3 = 1012;
inline constexpr int IDC_CHANNEL4 = 1013;
inline constexpr int IDC_CHANNEL5 = 1014;
inline constexpr int IDC_CHANNEL6 = 1015;
inline constexpr int IDC_VALUE1 = 1016;
inline constexpr int IDC_VALUE2 = 1017;
inline constexpr int IDC_VALUE3 = 1018;
inline constexpr int IDC_VALUE4 = 1019;
inline constexpr int IDC_VALUE5 = 1020;
inline constexpr int IDC_VALUE6 = 1021;
inline constexpr int IDC_SLIDER1 = 1030;
inline constexpr int IDC_SLIDER2 = 1031;
inline constexpr int IDC_SLIDER3 = 1032;
inline constexpr int IDC_SLIDER4 = 1033;
inline constexpr int IDC_SLIDER5 = 1034;
inline constexpr int IDC_SLIDER6 = 1035;
inline constexpr int IDC_OUTPUT_IN_USE = 1040; // console: which output frames go to
inline constexpr int IDC_OUTPUT_KIND = 1041;   // port settings: the kind of interface
inline constexpr int IDC_UNIVERSE = 1042;      // port settings: a network kind's universe
inline constexpr int IDC_ADDRESS = 1043;       // port settings: where a network kind sends
inline constexpr int IDC_INTERFACE = 1060;     // port settings: the interface a network kind uses
inline constexpr int IDC_NODE_LIST = 1061;     // port settings: the Art-Net nodes heard from
