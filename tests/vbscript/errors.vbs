' Errors: On Error Resume Next, Err object, Raise, propagation out of procedures.

Sub Fails() : x = 1 / 0 : Check "not reached", True, False : End Sub
On Error Resume Next
Fails
Check "error from sub", Err.Number, 11
Check "description", Err.Description, "Division durch Null"
Check "source", Err.Source, "Laufzeitfehler in Microsoft VBScript"
Err.Clear
Check "clear", Err.Number, 0
Err.Raise 1000, "Mine", "my text"
Check "raise number", Err.Number, 1000
Check "raise source", Err.Source, "Mine"
Check "raise description", Err.Description, "my text"
Err.Clear
Err.Raise 9
Check "raise known number", Err.Description, "Index außerhalb des gültigen Bereichs"
Dim a(1)
a(5) = 1
Check "subscript", Err.Number, 9
Err.Clear
x = CLng("abc")
Check "clng text", Err.Number, 13
Err.Clear
y = Sqr(-1)
Check "invalid call", Err.Number, 5
Err.Clear
Set o = CreateObject("WScript.Shell")
Check "no other progids", Err.Number, 429
Err.Clear
Set d = CreateObject("Scripting.Dictionary")
d.Add "a", 1
d.Add "A", 2
Check "binary keys differ", Err.Number, 0
d.Add "a", 3
Check "key exists", Err.Number, 457
Err.Clear
d.Nope
Check "member not found", Err.Number, 438
On Error GoTo 0
Check "goto 0 clears", Err.Number, 0
WScript.Quit failures
