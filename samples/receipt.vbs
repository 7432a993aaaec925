' A whole fiscal receipt: three sales, one of them with a discount, a text
' line, a subtotal, a card payment and the rest in cash. Texts go to the
' printer in the ANSI code page (Windows-1251), so this file is saved in it.
' The demo's virtual printer has articles 1 to 3 programmed.
' Run: cscript //nologo receipt.vbs [port]
Option Explicit

Dim ecr, port
port = 1
If WScript.Arguments.Count > 0 Then port = CInt(WScript.Arguments(0))

Set ecr = CreateObject("VexlorECR.TECRFisc")
If ecr.SetComPort(port, 115200) <> 1 Then
    WScript.Echo "COM" & port & " did not open (GetError " & ecr.GetError & ")"
    WScript.Quit 1
End If

' Stops at the first step the printer refuses and cancels the receipt.
Sub Check(what, ok)
    If ok Then
        WScript.Echo what & ": ok"
    Else
        WScript.Echo what & ": failed (GetError " & ecr.GetError & ")"
        ecr.ReceiptCancel
        ecr.CloseComPort port
        WScript.Quit 1
    End If
End Sub

Check "Open receipt, operator 1", ecr.OpenFiscReceipt(1, 1, "0000")
WScript.Echo "Receipt kind: " & ecr.Receipt
Check "Article 1, 2 pieces", ecr.SellArtCash(True, 1, 2, 0, 0)
Check "Article 2, 1.5 kg, 10% discount", ecr.SellArtCash(True, 2, 1.5, -10, 0)
Check "Article 3, shown on the display", ecr.SellArtCashDS(True, 3, 1, 0, 0)
Check "Text line", ecr.StrPrntCash("Спасибо за покупку!")
Check "Subtotal", ecr.SubTotalDS(True, True, 0, 0)
WScript.Echo "Total: " & FormatNumber(ecr.GetReceiptSum, 2)
Check "Card 100.00", ecr.Payment(100, 1)
WScript.Echo "Paid: " & FormatNumber(ecr.GetReceiptPay, 2)
Check "The rest in cash", ecr.Payment(0, 0)
Check "Close", ecr.CloseFiscReceipt
WScript.Echo "Receipt number: " & ecr.NumbRec

ecr.CloseComPort port
