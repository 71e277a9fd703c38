int main /* the start
