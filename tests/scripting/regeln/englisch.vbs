' The texts the English (and the neutral) locale gives.
Dim Deutsch : Deutsch = False
