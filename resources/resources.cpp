// Resources are attached by the build.
