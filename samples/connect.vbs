' Connects to the printer on COM1, asks whether it answers and who it is,
' and shows why a call failed. Run: cscript //nologo connect.vbs [port]
Option Explicit

Dim ecr, port
port = 1
If WScript.Arguments.Count > 0 Then port = CInt(WScript.Arguments(0))

Set ecr = CreateObject("VexlorECR.TECRFisc")
WScript.Echo "Version: " & ecr.VersionDLL

If ecr.SetComPort(port, 115200) <> 1 Then
    WScript.Echo "COM" & port & " did not open (GetError " & ecr.GetError & ")"
    WScript.Quit 1
End If
WScript.Echo "COM" & port & " open"

If ecr.IsPresent Then
    WScript.Echo "Printer answers"
Else
    WScript.Echo "Printer does not answer (GetError " & ecr.GetError & ", time-out " & ecr.TimeOutFP & ")"
End If
WScript.Echo "Device identifier: " & ecr.ID_DEV
WScript.Echo "StatusBytes " & ecr.StatusBytes & ", GetError " & ecr.GetError & _
    ", status bytes " & ecr.Status0 & " " & ecr.Status1 & " " & ecr.Status2 & " " & _
    ecr.Status3 & " " & ecr.Status4 & " " & ecr.Status5

WScript.Echo "Closed: " & ecr.CloseComPort(port)
