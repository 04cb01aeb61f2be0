"""The end-to-end cases by name, with the screen each one needs."""

CASES = {}


class Case:
    def __init__(self, name, run, programs, size, window_manager, platforms, listed, args):
        self.name = name
        self.run = run
        self.programs = programs
        self.size = size
        self.window_manager = window_manager
        self.platforms = platforms
        self.listed = listed  # False: run by name only, not by CTest
        self.args = args


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
