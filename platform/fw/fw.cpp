// The framework classes the libraries are built on.
