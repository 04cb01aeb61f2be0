"""Helpers that drive the reader's programs under Xvfb (Linux) and Wine like a person."""
