# Run after the game is linked: takes out of its script what would differ from one
# build to the next, the data package's absolute path and its random identity (used
# only by a preload cache, which the page does not ask for), now the data's hash.
file(READ ${dir}/orbicascade.js script)
file(SHA256 ${dir}/orbicascade.data hash)
string(REGEX REPLACE "\"package_uuid\":\"[^\"]*\"" "\"package_uuid\":\"${hash}\"" script "${script}")
string(REPLACE "${dir}/" "" script "${script}")
file(WRITE ${dir}/orbicascade.js "${script}")
