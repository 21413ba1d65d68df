"""Skin generator: draws every picture of the program's skin from code."""
