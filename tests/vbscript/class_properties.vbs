' Classes: Property Get/Let/Set, Default, Class_Initialize/Terminate, Me, Private members.

Dim log : log = ""
Class Temperature
  Private c
  Private Sub Class_Initialize : c = 0 : log = log & "I" : End Sub
  Private Sub Class_Terminate : log = log & "T" : End Sub
  Public Default Property Get Celsius : Celsius = c : End Property
  Public Property Let Celsius(v) : c = v : End Property
  Public Property Get Fahrenheit : Fahrenheit = c * 9 / 5 + 32 : End Property
  Public Property Let Fahrenheit(v) : c = (v - 32) * 5 / 9 : End Property
  Public Property Get Self : Set Self = Me : End Property
  Public Function Warmer(by) : c = c + by : Set Warmer = Me : End Function
End Class

Class Holder
  Private items(2)
  Private target
  Public Property Get Item(i) : Item = items(i) : End Property
  Public Property Let Item(i, v) : items(i) = v : End Property
  Public Property Set Obj(o) : Set target = o : End Property
  Public Property Get Obj : Set Obj = target : End Property
  Public Property Get Early(flag)
    Early = "before"
    If flag Then Exit Property
    Early = "after"
  End Property
End Class

Set t = New Temperature
Check "initialize ran", log, "I"
t.Celsius = 100
Check "let then get", t.Fahrenheit, 212
t.Fahrenheit = 32
Check "let through another property", t.Celsius, 0
t.Celsius = 37
Check "default get in an expression", t + 1, 38
x = t
Check "assignment takes the default value", x, 37
Check "Me returns the instance", t.Self Is t, True
Check "chained methods", t.Warmer(1).Warmer(2).Celsius, 40
Set t = Nothing
Check "terminate on last release", log, "IT"
Set h = New Holder
h.Item(1) = "one"
Check "property with an argument", h.Item(1), "one"
Set d = CreateObject("Scripting.Dictionary")
Set h.Obj = d
Check "property set", h.Obj Is d, True
Check "exit property", h.Early(True), "before"
Check "no exit", h.Early(False), "after"
On Error Resume Next
y = h.items
Check "private field hidden", Err.Number, 438
Err.Clear
z = h
Check "no default member", Err.Number, 438
Err.Clear
h.Nothing2 = 1
Check "unknown member", Err.Number, 438
Err.Clear
Set q = New NoSuchClass
Check "unknown class", Err.Number, 506
WScript.Quit failures
