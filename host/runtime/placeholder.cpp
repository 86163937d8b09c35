// Replaced by the run-time package's classes.
