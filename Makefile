# make run  : install what is missing, build, start the program (data in $(BUILD_DIR))
# make test : install what is missing, build, run the tests
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
CMAKE_FLAGS ?=

.PHONY: deps configure build run test clean

deps:
	@scripts/install-deps

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) $(CMAKE_FLAGS)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

run: build
	$(BUILD_DIR)/korvane

test: build
	scripts/with-test-services ctest --test-dir $(BUILD_DIR) --output-on-failure -j2

clean:
	rm -rf $(BUILD_DIR)
