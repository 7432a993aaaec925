// The JScript twin of connect.vbs: cscript //nologo connect.js [port]
var ecr = new ActiveXObject("VexlorECR.TECRFisc");
var port = WScript.Arguments.length > 0 ? parseInt(WScript.Arguments(0), 10) : 1;

WScript.Echo("Version: " + ecr.VersionDLL);
if (ecr.SetComPort(port, 115200) != 1) {
    WScript.Echo("COM" + port + " did not open (GetError " + ecr.GetError() + ")");
    WScript.Quit(1);
}
WScript.Echo("COM" + port + " open");
WScript.Echo(ecr.IsPresent() ? "Printer answers" : "Printer does not answer (GetError " + ecr.GetError() + ")");
WScript.Echo("Device identifier: " + ecr.ID_DEV);
WScript.Echo("StatusBytes " + ecr.StatusBytes + ", GetError " + ecr.GetError());
WScript.Echo("Closed: " + ecr.CloseComPort(port));
