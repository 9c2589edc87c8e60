' Rnd(0) before any number was drawn gives the first number of the sequence.
CheckEval Array("CStr(Rnd(0))", "0.7055475", "CStr(Rnd())", "0.7055475", _
    "CStr(Rnd(0))", "0.7055475")
WScript.Quit failures
