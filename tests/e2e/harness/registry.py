"""The end-to-end cases by name, with the screen each one needs."""
from dataclasses import dataclass
from typing import Any, Callable

CASES = {}


@dataclass
class Case:
    name: str
    run: Callable
    programs: Any
    size: Any
    window_manager: bool
    platforms: tuple
    listed: bool  # False: run by name only, not by CTest
    args: dict


def case(name, programs, size=None, window_manager=False, platforms=("linux", "wine"),
         listed=True, **args):
    """Registers the decorated function as a case. size None: 1024x768 on Linux, and
    640x480 under Wine, whose DirectDraw sets the 8-bit mode only at the screen's size."""
    def register(function):
        CASES[name] = Case(name, function, programs, size, window_manager, platforms, listed,
                           args)
        return function
    return register


def screen_size(case_, platform_name):
    if case_.size:
        return case_.size
    return (640, 480) if platform_name == "wine" else (1024, 768)
