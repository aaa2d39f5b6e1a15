// zelk-batch interpreter: see interpreter.h
