' Rnd(0) before any number was drawn gives the first number of the sequence.
Check "Rnd(0) first", CStr(Rnd(0)), "0.7055475"
Check "Rnd() after it", CStr(Rnd()), "0.7055475"
Check "Rnd(0) repeats", CStr(Rnd(0)), "0.7055475"
WScript.Quit failures
