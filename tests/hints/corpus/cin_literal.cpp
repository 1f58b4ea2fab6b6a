//程序名:新的Qiv程序
//作者: 

int main()
{
    int n;
    cin >> "请输入：" >> n;
    pen.fd(n);

    return 0;
}
